// Settings of the Linux program: the settings file "zintu.ini" in the user's
// configuration folder, with this run's command-line overrides on top, and
// `zintu --configure`, which saves choices into that file.
#pragma once

#include "app/settings.h"

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace zintu {

// A settings file larger than this is not a settings file: it is read as
// absent, and --configure refuses to rewrite it.
inline constexpr std::size_t kMaxSettingsFileSize = 1 << 20;

// Where the settings file lives: $XDG_CONFIG_HOME/zintu/zintu.ini when that
// variable holds an absolute path, else $HOME/.config/zintu/zintu.ini; empty
// when neither gives a folder. Takes the variables' values (null: unset).
std::optional<std::string> settings_file_path(const char* xdg_config_home, const char* home);

// The same for this process: its environment, then the password database.
std::optional<std::string> user_settings_file_path();

// The settings a settings file's text selects (defaults for missing
// sections, keys and unknown values).
Settings settings_from_ini(std::string_view text);

// The text of a settings file after saving `settings` in it: "mode" and
// "zoomlevel" are written, "network", "colours" and "pace" when one is chosen
// or the file has the key already; everything else in `text` stays as it was.
std::string ini_with_settings(std::string_view text, const Settings& settings);

// The settings of the file at `path`; the defaults when it is missing or
// cannot be used (unreadable, not a regular file, a loop of links, larger
// than the limit), and then a one-line reason in `problem` (else empty).
Settings read_settings_file(const std::string& path, std::string& problem);

// The settings of this run: the user's settings file with the command line's
// overrides on top, and why the file could not be used, as above. The Linux
// hosts' platform services read them through this.
Settings read_linux_settings(const SettingsOverride& override_, std::string& problem);

// `zintu --configure`: the file's settings with `choices` applied, saved in
// the file at `path` (folders created as needed). Prints the path on `out`.
// Returns 0, or 1 with a one-line reason on `err`.
int configure_settings(const std::string& path, const SettingsOverride& choices, std::FILE* out,
                       std::FILE* err);

} // namespace zintu
