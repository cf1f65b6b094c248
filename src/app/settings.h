// The two user settings in one table: key, values, default, command-line
// switch and dialog control of each choice. The settings file readers and
// writers, the command-line options, the XScreenSaver description and the man
// page all follow this table.
#pragma once

#include "network/network.h"
#include "sim/clock.h"

#include <cstddef>
#include <cstdint>
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

// The third choice has three values: how vehicles are coloured. "auto" lets
// the network decide (network.h: NetworkInfo::colours); "lines" draws every
// vehicle in its route's colour; "featured" draws four featured pairs of
// shapes in colours of their own and every other vehicle in one colour.
enum class ColourScheme : uint8_t { Auto, Lines, Featured };

struct ColourChoice {
    ColourScheme scheme;
    const char* value;  // text stored in the settings file, and the value of
                        // the command line's --colours
    int dialog_control; // radio button of the Windows configuration dialog
    const char* label;  // that button's text
};

// "colours": any text other than these three counts as "auto", the first.
inline constexpr const char* kColourKey = "colours";
inline constexpr const char* kColourSwitch = "colours";
inline constexpr ColourChoice kColourChoices[3] = {
    {ColourScheme::Auto, "auto", 1010, "Automatic"},
    {ColourScheme::Lines, "lines", 1011, "Line colours"},
    {ColourScheme::Featured, "featured", 1012, "Featured lines"},
};

// How often a window draws. Auto draws when the picture changes (in real
// time only as often as a vehicle moves a quarter pixel or the clock's second
// turns); EveryTick draws on every tick of the 10 ms frame timer.
enum class Pace : uint8_t { Auto, EveryTick };

// Windows' full-screen saver over several monitors: a whole map on each, or
// one map stretched across all of them.
enum class MonitorLayout : uint8_t { Each, Span };

// A setting's value and its text in the settings file (and on the command
// line). A stored text that names no value selects the table's first, its
// default.
template <typename Value>
struct NamedValue {
    Value value;
    const char* text;
};

inline constexpr const char* kPaceKey = "pace";
inline constexpr NamedValue<Pace> kPaceChoices[2] = {{Pace::Auto, "auto"},
                                                     {Pace::EveryTick, "every-tick"}};
inline constexpr const char* kMonitorsKey = "monitors";
inline constexpr NamedValue<MonitorLayout> kMonitorChoices[2] = {{MonitorLayout::Each, "each"},
                                                                 {MonitorLayout::Span, "span"}};

// The value named exactly (case-sensitively) `text`, or empty.
template <typename Value, std::size_t N>
std::optional<Value> parse_named(const NamedValue<Value> (&table)[N], std::string_view text) {
    for (const NamedValue<Value>& entry : table)
        if (text == entry.text) return entry.value;
    return std::nullopt;
}

// A stored text's value: the one it names, else the table's first.
template <typename Value, std::size_t N>
Value named_or_default(const NamedValue<Value> (&table)[N], std::string_view text) {
    return parse_named(table, text).value_or(table[0].value);
}

// The text of `value`.
template <typename Value, std::size_t N>
const char* named_text(const NamedValue<Value> (&table)[N], Value value) {
    for (const NamedValue<Value>& entry : table)
        if (entry.value == value) return entry.text;
    return table[0].text;
}

struct Settings {
    SpeedMode speed_mode = SpeedMode::RealTime;
    bool downtown = false;
    std::string network; // a network file; empty: the built-in network
    ColourScheme colours = ColourScheme::Auto;
    Pace pace = Pace::Auto;
    MonitorLayout monitors = MonitorLayout::Each;
};

// One-run overrides from the command line; empty where the file decides.
struct SettingsOverride {
    std::optional<SpeedMode> speed_mode;
    std::optional<bool> downtown;
    std::optional<std::string> network;
    std::optional<ColourScheme> colours;
    std::optional<Pace> pace;
};

// True only for the exact, case-sensitive text of the non-default choice.
bool selects_other(const SettingDefinition& spec, std::string_view value);

// The settings that two stored values (cut at 99 characters) select.
Settings settings_from_values(std::string_view mode, std::string_view zoomlevel);

// The scheme that a stored "colours" value (cut at 99 characters) selects:
// only the exact, case-sensitive text of a choice; anything else is Auto.
ColourScheme colour_scheme_from_value(std::string_view value);

// The choice named exactly `value`, or empty (the command line's check).
std::optional<ColourScheme> parse_colour_scheme(std::string_view value);

// The file text of a scheme.
const char* colours_value(ColourScheme scheme);

// The colours `network` is drawn in under `choice`: "auto" is the network's
// own choice; a network that records no shape styles is drawn featured
// whatever the choice.
NetworkColours drawn_colours(ColourScheme choice, const Network& network);

// `settings` with the command line's overrides applied.
Settings apply_override(Settings settings, const SettingsOverride& override_);

// The file text of each setting for `settings`.
const char* mode_value(const Settings& settings);
const char* zoomlevel_value(const Settings& settings);

} // namespace zintu
