// Configuration dialog for Windows.
//
// Implements: the dialog procedure of template 2003 (the choices read from
// and written to the settings file, the Network group's file choice, OK and
// Cancel) and the dialog-class hook.
// Leaves out: the layout, which is the resource script's.
// Limits: one dialog per process. A chosen file is loaded whole to be
// checked, once when it is chosen and once when the dialog opens. A failed
// write is shown, naming a file or folder in the way, and keeps the dialog
// open.
// Depends on: user32 (dialog, message box), comdlg32 (the file dialog),
// the settings file, the network-file reader.
#include "host/win32_settings_dialog.h"

#include "host/win32_network_group.h"
#include "host/win32_resources.h"
#include "host/win32_save_failure.h"
#include "host/win32_settings.h"
#include "host/win32_state.h"
#include "host/win32_text.h"
#include "network/network_file.h"

#include <commdlg.h>

#include <memory>
#include <optional>

namespace zintu {
namespace {

constexpr const wchar_t* kMessageCaption = L"Zintu";
constexpr DWORD kPathBuffer = 32768;

// The network that OK saves: a file's path, or empty for the built-in one.
std::string& chosen_network() {
    static std::string path;
    return path;
}

bool is_checked(HWND dialog, int control) {
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

void check(HWND dialog, int control) {
    CheckDlgButton(dialog, control, BST_CHECKED);
}

int speed_control(const Settings& settings) {
    return (settings.speed_mode == SpeedMode::Fast ? kSpeedSetting.other
                                                   : kSpeedSetting.default_choice)
        .dialog_control;
}

void show_choices(HWND dialog, const Settings& settings) {
    check(dialog, speed_control(settings));
    check(dialog,
          (settings.downtown ? kZoomSetting.other : kZoomSetting.default_choice).dialog_control);
    for (const ColourChoice& choice : kColourChoices)
        if (choice.scheme == settings.colours) check(dialog, choice.dialog_control);
    if (settings.monitors == MonitorLayout::Each) check(dialog, IDC_EACH_MONITOR);
}

// What the dialog shows as chosen, over the file's other settings, which it
// keeps as they are.
Settings chosen_settings(HWND dialog) {
    Settings chosen = read_win32_settings();
    chosen.speed_mode = is_checked(dialog, kSpeedSetting.other.dialog_control)
                            ? SpeedMode::Fast
                            : SpeedMode::RealTime;
    chosen.downtown = is_checked(dialog, kZoomSetting.other.dialog_control);
    chosen.network = chosen_network();
    for (const ColourChoice& choice : kColourChoices)
        if (is_checked(dialog, choice.dialog_control)) chosen.colours = choice.scheme;
    chosen.monitors =
        is_checked(dialog, IDC_EACH_MONITOR) ? MonitorLayout::Each : MonitorLayout::Span;
    return chosen;
}

void show_network(HWND dialog, const std::string& path, std::string_view name, bool usable) {
    SetDlgItemTextW(dialog, IDC_NETWORK_NAME, widen(network_label(path, name, usable)).c_str());
    SetDlgItemTextW(dialog, IDC_NETWORK_PATH, widen(path).c_str());
}

// Loads `path` whole; the network's name, or nothing with `error` set.
std::optional<std::string> network_name(const std::string& path, std::string& error) {
    const auto loaded = std::make_unique<LoadedNetwork>();
    error = load_network_file(path, *loaded);
    if (!error.empty()) return std::nullopt;
    return loaded->name;
}

void show_saved_network(HWND dialog, const std::string& path) {
    if (path.empty()) {
        show_network(dialog, path, win32.builtin_network_name, true);
        return;
    }
    std::string error;
    const std::optional<std::string> name = network_name(path, error);
    show_network(dialog, path, name.value_or(""), name.has_value());
}

// A file replaces the choice only once it has loaded completely; otherwise
// one message names it and its fault, and the choice stays.
void offer_network_file(HWND dialog, const std::string& path) {
    std::string error;
    const std::optional<std::string> name = network_name(path, error);
    if (!name) {
        MessageBoxW(dialog, widen(network_refusal_text(path, error)).c_str(), kMessageCaption,
                    MB_OK | MB_ICONERROR);
        return;
    }
    chosen_network() = path;
    show_network(dialog, path, *name, true);
}

// The system's file dialog, opening on the current choice (so in its
// folder); empty when the user cancels it.
std::string ask_for_network_file(HWND dialog) {
    const std::wstring current = widen(chosen_network());
    std::wstring file(kPathBuffer, L'\0');
    current.copy(file.data(), kPathBuffer - 1);
    const std::size_t separator = current.find_last_of(L"\\/");
    const std::wstring folder =
        separator == std::wstring::npos ? std::wstring() : current.substr(0, separator);
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = dialog;
    request.lpstrFilter = L"Zintu networks (*.zintu)\0*.zintu\0";
    request.lpstrFile = file.data();
    request.nMaxFile = kPathBuffer;
    request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    request.lpstrTitle = L"Choose a network";
    request.lpstrDefExt = L"zintu";
    // The current folder stays the process's own.
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                    OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    if (!GetOpenFileNameW(&request)) return {};
    return narrow(file.c_str());
}

PathKind path_kind(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

// Names what stands in the way when the file system can tell (the system's
// own reason, "Path not found.", says nothing of what to do), else gives
// that reason.
void report_write_failure(HWND dialog, const std::string& file, DWORD error) {
    wchar_t reason[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   reason, 256, nullptr);
    const std::optional<PathObstacle> obstacle =
        file.empty() ? std::nullopt : path_in_the_way(file, path_kind);
    const std::string text = save_failure_text(file, obstacle, narrow(reason));
    MessageBoxW(dialog, widen(text).c_str(), kMessageCaption, MB_OK | MB_ICONERROR);
}

void save_and_close(HWND dialog) {
    DWORD error = 0;
    if (!write_settings(settings_location(), chosen_settings(dialog), error)) {
        report_write_failure(dialog, narrow(settings_location().user_file), error);
        return; // stays open, so the choices are not lost
    }
    EndDialog(dialog, 1);
}

} // namespace

INT_PTR CALLBACK settings_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        const Settings settings = read_win32_settings();
        show_choices(dialog, settings);
        chosen_network() = settings.network;
        show_saved_network(dialog, settings.network);
        // The keyboard starts on the chosen speed, not on the group's first
        // button, which taking the focus would choose.
        SetFocus(GetDlgItem(dialog, speed_control(settings)));
        return FALSE;
    }
    if (message != WM_COMMAND || HIWORD(wparam) != BN_CLICKED) return FALSE;
    switch (LOWORD(wparam)) {
    case IDOK: // the OK button or Enter
        save_and_close(dialog);
        return TRUE;
    case IDCANCEL: // the Cancel button, Escape or the close button
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_CHOOSE_NETWORK:
        if (const std::string path = ask_for_network_file(dialog); !path.empty())
            offer_network_file(dialog, path);
        return TRUE;
    case IDC_BUILTIN_NETWORK:
        chosen_network().clear();
        show_saved_network(dialog, chosen_network());
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL WINAPI register_dialog_hook(HINSTANCE) {
    return TRUE;
}

} // namespace zintu
