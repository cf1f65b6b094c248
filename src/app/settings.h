// The two user settings in one table: key, values, default, command-line
// switch and dialog control of each choice. The settings file readers and
// writers, the command-line options, the XScreenSaver description and the man
// page all follow this table.
#pragma once

#include "sim/clock.h"

#include <optional>
#include <string>
#include <string_view>

namespace zintu {

struct SettingChoice {
    const char* value;        // text stored in the settings file
    const char* linux_switch; // command-line switch, without dashes
    int dialog_control;       // radio button of the configuration dialog
    const char* label;        // that button's text
};

struct SettingDefinition {
    const char* key;
    SettingChoice default_choice; // also any text other than `other.value`
    SettingChoice other;
};

inline constexpr const char* kSettingsFileName = "zintu.ini";
inline constexpr const char* kSettingsSection = "zintu";
// Values are read into a buffer of this size: at most 99 characters count.
inline constexpr int kSettingValueBuffer = 100;

inline constexpr SettingDefinition kSpeedSetting = {
    "mode", {"realtime", "realtime", 1000, "Real Time"}, {"fastmode", "fast", 1001, "Fast Mode"}};
inline constexpr SettingDefinition kZoomSetting = {
    "zoomlevel",
    {"fullnetwork", "full-network", 1002, "Full Network"},
    {"downtown", "downtown", 1003, "Downtown"}};

// The third setting is a path, not a choice of two: the network file to show
// instead of the network built into the program. Its value is read whole
// (a path may be longer than the choices' buffer); empty means the built-in
// network.
struct PathSettingDefinition {
    const char* key;
    const char* linux_switch; // takes the path as its value
};

inline constexpr PathSettingDefinition kNetworkSetting = {"network", "network"};

struct Settings {
    SpeedMode speed_mode = SpeedMode::RealTime;
    bool downtown = false;
    std::string network; // a network file; empty: the built-in network
};

// One-run overrides from the command line; empty where the file decides.
struct SettingsOverride {
    std::optional<SpeedMode> speed_mode;
    std::optional<bool> downtown;
    std::optional<std::string> network;
};

// True only for the exact, case-sensitive text of the non-default choice.
bool selects_other(const SettingDefinition& spec, std::string_view value);

// The settings that two stored values (cut at 99 characters) select.
Settings settings_from_values(std::string_view mode, std::string_view zoomlevel);

// `settings` with the command line's overrides applied.
Settings apply_override(Settings settings, const SettingsOverride& override_);

// The file text of each setting for `settings`.
const char* mode_value(const Settings& settings);
const char* zoomlevel_value(const Settings& settings);

} // namespace zintu
