// The saver's settings on Windows: where the INI file lives, reading it at
// start-up, and the configuration dialog that edits it.
#pragma once

#include "app/settings.h"

#include <windows.h>

#include <string>

namespace zintu {

// The per-user file is read when it exists and is the one the dialog writes;
// the Windows directory's file is read only when there is no per-user file,
// so settings saved before the per-user file existed keep working.
struct SettingsLocation {
    std::string user_file;     // %APPDATA%\Zintu\zintu.ini; empty without a profile
    std::string fallback_file; // %WINDIR%\zintu.ini
};

// The folder under the user's application-data folder that holds the file.
inline constexpr const char* kSettingsFolder = "Zintu";

SettingsLocation system_settings_location();

// The location in use: the system's, unless replaced (tests point it into a
// scratch folder).
const SettingsLocation& settings_location();
void set_settings_location(const SettingsLocation& location);

// The file that reading uses: the per-user file when it exists.
const std::string& settings_file_to_read(const SettingsLocation& location);

// Reads "mode" and "zoomlevel" from `file`; missing values count as defaults.
Settings read_settings_file(const std::string& file);

// The settings of this run, from the file in use; the saver's platform
// services read them through this.
Settings read_win32_settings();

// Writes both values to the per-user file, creating its folder. On failure
// returns false with the system's error code in `error`.
bool write_settings(const SettingsLocation& location, const Settings& settings, DWORD& error);

// Dialog procedure of the settings dialog (template 2003).
INT_PTR CALLBACK settings_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Registers the dialog's window classes (there are none) and returns TRUE.
BOOL WINAPI register_dialog_hook(HINSTANCE instance);

} // namespace zintu
