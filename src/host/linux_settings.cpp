// The Linux side of the settings: where the file lives, reading it once at
// initialisation with the process's overrides applied, and --configure.
#include "host/linux_settings.h"

#include "host/ini_text.h"
#include "host/linux_files.h"
#include "host/path_text.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace zintu {
namespace {

std::string stored_value(std::string_view text, const SettingDefinition& spec) {
    return ini_value(text, kSettingsSection, spec.key).value_or(spec.default_choice.value);
}

} // namespace

std::optional<std::string> settings_file_path(const char* xdg_config_home, const char* home) {
    std::string folder;
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    if (xdg_config_home != nullptr && xdg_config_home[0] == '/') {
        folder = xdg_config_home;
    } else if (home != nullptr && home[0] != '\0') {
        folder = std::string(home);
        if (folder.back() != '/') folder += '/';
        folder += ".config";
    } else {
        return std::nullopt;
    }
    if (folder.back() != '/') folder += '/';
    return folder + "zintu/" + kSettingsFileName;
}

std::optional<std::string> user_settings_file_path() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* entry = getpwuid(getuid());
        if (entry != nullptr) home = entry->pw_dir;
    }
    return settings_file_path(std::getenv("XDG_CONFIG_HOME"), home);
}

Settings settings_from_ini(std::string_view text) {
    // "mode" first, then "zoomlevel", each with its default.
    const std::string mode = stored_value(text, kSpeedSetting);
    const std::string zoomlevel = stored_value(text, kZoomSetting);
    Settings settings = settings_from_values(mode, zoomlevel);
    // A path is read whole, not cut at the choices' 99 characters.
    settings.network =
        ini_value(text, kSettingsSection, kNetworkSetting.key, kMaxSettingsFileSize).value_or("");
    settings.colours = colour_scheme_from_value(
        ini_value(text, kSettingsSection, kColourKey).value_or(kColourChoices[0].value));
    settings.pace =
        named_or_default(kPaceChoices, ini_value(text, kSettingsSection, kPaceKey).value_or(""));
    return settings;
}

std::string ini_with_settings(std::string_view text, const Settings& settings) {
    const std::string with_mode =
        ini_with_value(text, kSettingsSection, kSpeedSetting.key, mode_value(settings));
    std::string updated =
        ini_with_value(with_mode, kSettingsSection, kZoomSetting.key, zoomlevel_value(settings));
    // The network and colours keys are written only once there is a choice to
    // keep: the file of someone who never chose keeps its two keys.
    if (!settings.network.empty() || ini_value(text, kSettingsSection, kNetworkSetting.key)) {
        updated = ini_with_value(updated, kSettingsSection, kNetworkSetting.key, settings.network);
    }
    if (settings.colours != ColourScheme::Auto || ini_value(text, kSettingsSection, kColourKey)) {
        updated =
            ini_with_value(updated, kSettingsSection, kColourKey, colours_value(settings.colours));
    }
    if (settings.pace != kPaceChoices[0].value || ini_value(text, kSettingsSection, kPaceKey)) {
        updated = ini_with_value(updated, kSettingsSection, kPaceKey,
                                 named_text(kPaceChoices, settings.pace));
    }
    return updated;
}

Settings read_settings_file(const std::string& path, std::string& problem) {
    problem.clear();
    std::string text;
    if (read_small_file(path, kMaxSettingsFileSize, text, problem) != ReadStatus::Ok) return {};
    Settings settings = settings_from_ini(text);
    // A network file named by hand without a folder lies beside the settings.
    if (!settings.network.empty() && settings.network.front() != '/') {
        settings.network = folder_of(path) + "/" + settings.network;
    }
    return settings;
}

Settings read_linux_settings(const SettingsOverride& override_, std::string& problem) {
    problem.clear();
    const std::optional<std::string> path = user_settings_file_path();
    const Settings stored = path ? read_settings_file(*path, problem) : Settings{};
    return apply_override(stored, override_);
}

int configure_settings(const std::string& path, const SettingsOverride& choices, std::FILE* out,
                       std::FILE* err) {
    std::string text, error;
    if (read_small_file(path, kMaxSettingsFileSize, text, error) == ReadStatus::Failed) {
        std::fprintf(err, "zintu: %s\n", error.c_str());
        return 1;
    }
    const Settings chosen = apply_override(settings_from_ini(text), choices);
    const std::string updated = ini_with_settings(text, chosen);
    if (!make_directories(folder_of(path), error) ||
        !write_file_atomically(
            path,
            [&](std::FILE* file) {
                // A short write shows in the stream's error flag, with errno.
                std::fwrite(updated.data(), 1, updated.size(), file);
                return true;
            },
            "the settings could not be written", error)) {
        std::fprintf(err, "zintu: %s\n", error.c_str());
        return 1;
    }
    std::fprintf(out, "%s\n", path.c_str());
    return std::fflush(out) == 0 ? 0 : 1;
}

} // namespace zintu
