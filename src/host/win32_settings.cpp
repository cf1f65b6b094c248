// Settings file and configuration dialog for Windows.
//
// Implements: read_settings over the INI file, the dialog procedure of
// template 2003 and the dialog-class hook.
// Leaves out: a Cancel button; Escape and the close button leave the dialog
// open, OK is the only way out and always saves the current choices.
// Limits: values longer than 99 characters are cut by the profile functions.
// The per-user file lives in %APPDATA%\Zintu because a standard user (and any
// 64-bit process) cannot write the Windows directory, where a bare file name
// would put it; a failed write is shown, naming a file or folder in the way,
// and keeps the dialog open.
// Depends on: kernel32 (profile functions), shell32 (application-data folder),
// user32 (dialog, message box).
#include "host/win32_settings.h"

#include "host/path_text.h"
#include "host/win32_save_failure.h"

#include <shlobj.h>

#include <optional>

namespace zintu {
namespace {

constexpr const char* kMessageCaption = "Zintu";

std::optional<SettingsLocation>& location_in_use() {
    static std::optional<SettingsLocation> location;
    return location;
}

bool is_file(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string read_value(const std::string& file, const SettingDefinition& spec) {
    char buffer[kSettingValueBuffer] = {};
    GetPrivateProfileStringA(kSettingsSection, spec.key, spec.default_choice.value, buffer,
                             sizeof(buffer), file.c_str());
    return buffer;
}

bool write_value(const std::string& file, const SettingDefinition& spec, const char* value,
                 DWORD& error) {
    if (WritePrivateProfileStringA(kSettingsSection, spec.key, value, file.c_str())) return true;
    error = GetLastError();
    return false;
}

bool is_checked(HWND dialog, const SettingChoice& choice) {
    return IsDlgButtonChecked(dialog, choice.dialog_control) == BST_CHECKED;
}

void check_choice(HWND dialog, const SettingDefinition& spec, bool other) {
    CheckDlgButton(dialog, (other ? spec.other : spec.default_choice).dialog_control, BST_CHECKED);
}

PathKind path_kind(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

// Names what stands in the way when the file system can tell (the system's
// own reason, "Path not found.", says nothing of what to do), else gives
// that reason.
void report_write_failure(HWND dialog, const std::string& file, DWORD error) {
    char reason[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   reason, sizeof(reason), nullptr);
    const std::optional<PathObstacle> obstacle =
        file.empty() ? std::nullopt : path_in_the_way(file, path_kind);
    const std::string text = save_failure_text(file, obstacle, reason);
    MessageBoxA(dialog, text.c_str(), kMessageCaption, MB_OK | MB_ICONERROR);
}

} // namespace

SettingsLocation system_settings_location() {
    SettingsLocation location;
    char path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
        location.user_file = std::string(path) + "\\" + kSettingsFolder + "\\" + kSettingsFileName;
    }
    const UINT length = GetWindowsDirectoryA(path, sizeof(path));
    if (length > 0 && length < sizeof(path)) {
        location.fallback_file = std::string(path) + "\\" + kSettingsFileName;
    }
    return location;
}

const SettingsLocation& settings_location() {
    if (!location_in_use()) location_in_use() = system_settings_location();
    return *location_in_use();
}

void set_settings_location(const SettingsLocation& location) {
    location_in_use() = location;
}

const std::string& settings_file_to_read(const SettingsLocation& location) {
    return is_file(location.user_file) ? location.user_file : location.fallback_file;
}

Settings read_settings_file(const std::string& file) {
    const std::string mode = read_value(file, kSpeedSetting);
    const std::string zoomlevel = read_value(file, kZoomSetting);
    Settings settings = settings_from_values(mode, zoomlevel);
    // A path is read whole, not cut at the choices' 99 characters.
    std::string network(32768, '\0');
    const DWORD length =
        GetPrivateProfileStringA(kSettingsSection, kNetworkSetting.key, "", network.data(),
                                 static_cast<DWORD>(network.size()), file.c_str());
    network.resize(length);
    settings.network = network;
    return settings;
}

Settings read_win32_settings() {
    return read_settings_file(settings_file_to_read(settings_location()));
}

bool write_settings(const SettingsLocation& location, const Settings& settings, DWORD& error) {
    if (location.user_file.empty()) {
        error = ERROR_PATH_NOT_FOUND;
        return false;
    }
    // The folder and any missing folder above it.
    const std::string folder = folder_of(location.user_file, "\\/");
    if (!folder.empty()) {
        const int made = SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
        if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS) {
            error = static_cast<DWORD>(made);
            return false;
        }
    }
    return write_value(location.user_file, kSpeedSetting, mode_value(settings), error) &&
           write_value(location.user_file, kZoomSetting, zoomlevel_value(settings), error);
}

INT_PTR CALLBACK settings_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        const Settings settings = read_win32_settings();
        check_choice(dialog, kSpeedSetting, settings.speed_mode == SpeedMode::Fast);
        check_choice(dialog, kZoomSetting, settings.downtown);
        return FALSE; // no initial keyboard focus
    }
    if (message == WM_COMMAND && LOWORD(wparam) == IDOK) {
        Settings chosen;
        chosen.speed_mode =
            is_checked(dialog, kSpeedSetting.other) ? SpeedMode::Fast : SpeedMode::RealTime;
        chosen.downtown = is_checked(dialog, kZoomSetting.other);
        DWORD error = 0;
        if (!write_settings(settings_location(), chosen, error)) {
            report_write_failure(dialog, settings_location().user_file, error);
            return TRUE; // stays open, so the choices are not lost
        }
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

BOOL WINAPI register_dialog_hook(HINSTANCE) {
    return TRUE;
}

} // namespace zintu
