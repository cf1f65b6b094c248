// The saver's settings file on Windows: where it lives, reading it at
// start-up, and writing what the dialog chose.
#pragma once

#include "app/settings.h"

#include <windows.h>

#include <string>

namespace zintu {

// The per-user file is read when it exists and is the one the dialog writes;
// the Windows directory's file is read only when there is no per-user file,
// so settings saved before the per-user file existed keep working.
struct SettingsLocation {
    std::wstring user_file;     // %APPDATA%\Zintu\zintu.ini; empty without a profile
    std::wstring fallback_file; // %WINDIR%\zintu.ini
};

// The folder under the user's roaming application-data folder that holds the
// file.
inline constexpr const wchar_t* kSettingsFolder = L"Zintu";

SettingsLocation system_settings_location();

// The location in use: the system's, unless replaced (tests point it into a
// scratch folder).
const SettingsLocation& settings_location();
void set_settings_location(const SettingsLocation& location);

// The file that reading uses: the per-user file when it exists.
const std::wstring& settings_file_to_read(const SettingsLocation& location);

// Reads every setting from `file`; missing values count as defaults. The
// network path is read whole and comes back in UTF-8.
Settings read_settings_file(const std::wstring& file);

// The settings of this run, from the file in use; the saver's platform
// services read them through this.
Settings read_win32_settings();

// Writes every setting to the per-user file, creating its folder, after
// turning the file into UTF-16 (win32_settings_text.h) so that any path
// survives. On failure returns false with the system's error code in `error`.
bool write_settings(const SettingsLocation& location, const Settings& settings, DWORD& error);

} // namespace zintu
