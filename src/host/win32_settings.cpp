// Settings file for Windows.
//
// Implements: where the file lives, reading every setting through the wide
// profile functions, and writing them after making the file UTF-16LE.
// Leaves out: the dialog (win32_settings_dialog.cpp).
// Limits: choices longer than 99 characters are cut, as the profile
// functions cut them; a path is read up to 32767 characters. The per-user
// file lives in %APPDATA%\Zintu because a standard user (and any 64-bit
// process) cannot write the Windows directory, where a bare file name would
// put it. A file above 1 MiB is not written.
// Depends on: kernel32 (profile functions, files), shell32 (known folders),
// ole32 (freeing the folder's path).
#include "host/win32_settings.h"

#include "host/win32_settings_text.h"
#include "host/win32_text.h"

#include <shlobj.h>

#include <optional>

namespace zintu {
namespace {

constexpr DWORD kPathBuffer = 32768; // the longest path the wide API takes, and its NUL

std::optional<SettingsLocation>& location_in_use() {
    static std::optional<SettingsLocation> location;
    return location;
}

bool is_file(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring read_value(const std::wstring& file, const char* key, const char* fallback,
                        DWORD buffer_size) {
    std::wstring value(buffer_size, L'\0');
    const DWORD length =
        GetPrivateProfileStringW(widen(kSettingsSection).c_str(), widen(key).c_str(),
                                 widen(fallback).c_str(), value.data(), buffer_size, file.c_str());
    value.resize(length);
    return value;
}

std::string read_choice(const std::wstring& file, const char* key, const char* fallback) {
    return narrow(read_value(file, key, fallback, kSettingValueBuffer));
}

// The whole of `file` (nothing when it does not exist); false, with the
// system's error, when it cannot be read or is too big to be settings.
bool read_bytes(const std::wstring& file, std::string& bytes, DWORD& error) {
    bytes.clear();
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND;
    }
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(handle, &size) != 0;
    if (ok && static_cast<unsigned long long>(size.QuadPart) > kMaxSettingsFileBytes) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        ok = false;
    }
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size();
    }
    if (!ok) error = GetLastError();
    CloseHandle(handle);
    return ok;
}

// Replaces `file` with `bytes` in one step: they go to a file beside it,
// which then takes its place, so a failure leaves the old file whole.
bool replace_file(const std::wstring& file, const std::string& bytes, DWORD& error) {
    const std::wstring fresh = file + L".new";
    const HANDLE handle = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    DWORD written = 0;
    bool ok =
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(handle);
    if (!ok) error = GetLastError();
    CloseHandle(handle);
    if (ok && !MoveFileExW(fresh.c_str(), file.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        ok = false;
    }
    if (!ok) DeleteFileW(fresh.c_str());
    return ok;
}

// The text of a file's bytes in the code page its form names.
std::wstring decode(std::string_view bytes, UINT code_page) {
    std::wstring text(bytes.size(), L'\0'); // never more units than bytes
    const int length =
        MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                            static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

// Makes `file` (which may not exist yet) UTF-16LE, keeping its text.
bool make_unicode(const std::wstring& file, DWORD& error) {
    std::string bytes;
    if (!read_bytes(file, bytes, error)) return false;
    const SettingsFileForm form = settings_file_form(bytes);
    if (form.text == SettingsFileText::Utf16) return true;
    const std::wstring text =
        decode(form.body, form.text == SettingsFileText::Utf8 ? CP_UTF8 : CP_ACP);
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    const std::u16string_view units(reinterpret_cast<const char16_t*>(text.data()), text.size());
    if (!replace_file(file, utf16le_file(units), error)) return false;
    // The profile functions may keep the file as they last read it.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
    return true;
}

std::wstring folder_of(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

} // namespace

SettingsLocation system_settings_location() {
    SettingsLocation location;
    PWSTR roaming = nullptr;
    if (SUCCEEDED(
            SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming))) {
        location.user_file =
            std::wstring(roaming) + L"\\" + kSettingsFolder + L"\\" + widen(kSettingsFileName);
    }
    CoTaskMemFree(roaming);
    wchar_t windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        location.fallback_file = std::wstring(windows) + L"\\" + widen(kSettingsFileName);
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

const std::wstring& settings_file_to_read(const SettingsLocation& location) {
    return is_file(location.user_file) ? location.user_file : location.fallback_file;
}

Settings read_settings_file(const std::wstring& file) {
    if (file.empty()) return {}; // no file name: the profile functions would pick one
    Settings settings = settings_from_values(
        read_choice(file, kSpeedSetting.key, kSpeedSetting.default_choice.value),
        read_choice(file, kZoomSetting.key, kZoomSetting.default_choice.value));
    settings.network = narrow(read_value(file, kNetworkSetting.key, "", kPathBuffer));
    settings.colours =
        colour_scheme_from_value(read_choice(file, kColourKey, kColourChoices[0].value));
    settings.monitors =
        named_or_default(kMonitorChoices, read_choice(file, kMonitorsKey, kMonitorChoices[0].text));
    return settings;
}

Settings read_win32_settings() {
    return read_settings_file(settings_file_to_read(settings_location()));
}

bool write_settings(const SettingsLocation& location, const Settings& settings, DWORD& error) {
    const std::wstring& file = location.user_file;
    if (file.empty()) {
        error = ERROR_PATH_NOT_FOUND;
        return false;
    }
    // The folder and any missing folder above it.
    const std::wstring folder = folder_of(file);
    if (!folder.empty()) {
        const int made = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
        if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS) {
            error = static_cast<DWORD>(made);
            return false;
        }
    }
    if (!make_unicode(file, error)) return false;
    const std::pair<const char*, std::string> values[] = {
        {kSpeedSetting.key, mode_value(settings)},
        {kZoomSetting.key, zoomlevel_value(settings)},
        {kNetworkSetting.key, settings.network},
        {kColourKey, colours_value(settings.colours)},
        {kMonitorsKey, named_text(kMonitorChoices, settings.monitors)},
    };
    for (const auto& [key, value] : values) {
        if (!WritePrivateProfileStringW(widen(kSettingsSection).c_str(), widen(key).c_str(),
                                        widen(value).c_str(), file.c_str())) {
            error = GetLastError();
            return false;
        }
    }
    return true;
}

} // namespace zintu
