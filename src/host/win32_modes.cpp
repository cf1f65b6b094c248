// Screen saver modes for Windows.
//
// Implements: saver_main (platform check, switch scan, dispatch under the
// exception guard), the preview's parent check, the configure dialog's owner
// and the password change through the network provider.
// Leaves out: the password change itself ("PwdChangePasswordA" of "MPR.DLL",
// looked up by name; missing, it is silently skipped).
// Limits: one mode per process. Depends on: user32, kernel32; the saver
// window, the settings dialog, the guard.
#include "host/win32_modes.h"

#include "host/win32_guard.h"
#include "host/win32_resources.h"
#include "host/win32_saver_args.h"
#include "host/win32_saver_window.h"
#include "host/win32_settings_dialog.h"

#include <cstdint>

namespace zintu {
namespace {

// The password change is asked for on the Windows 95 family only, by the name
// that family's provider exports; the provider's name is ASCII.
using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR provider, HWND owner, DWORD, DWORD);

bool is_existing_window(HWND window) {
    return window != nullptr && IsWindow(window);
}

HWND window_or_foreground(const char* handle_text) {
    const HWND window = window_from_handle(parse_window_handle(handle_text));
    return is_existing_window(window) ? window : GetForegroundWindow();
}

bool query_windows95_family() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

} // namespace

HWND window_from_handle(unsigned long value) {
    const auto narrow = static_cast<int32_t>(static_cast<uint32_t>(value));
    return reinterpret_cast<HWND>(static_cast<intptr_t>(narrow));
}

int start_preview(const char* text) {
    const HWND parent = window_from_handle(parse_window_handle(text));
    // The desktop window exists, but a preview in it would cover the screen
    // and, as a preview, never close on input.
    if (!is_existing_window(parent) || parent == GetDesktopWindow()) return kExitRejected;
    return run_saver(parent);
}

int show_configure_dialog(HWND owner) {
    if (!register_dialog_hook(win32.module_instance)) return 0;
    return static_cast<int>(DialogBoxParamW(win32.module_instance, MAKEINTRESOURCEW(IDD_SETTINGS),
                                            owner, settings_dialog_proc, 0));
}

int change_password(const char* text) {
    const HWND owner = window_or_foreground(text);
    const HMODULE provider = LoadLibraryW(L"MPR.DLL");
    if (provider == nullptr) return 0;
    const auto change = reinterpret_cast<PwdChangePasswordFn>(
        reinterpret_cast<void*>(GetProcAddress(provider, "PwdChangePasswordA")));
    if (change) change("SCRSAVE", owner, 0, 0); // its result is not used
    FreeLibrary(provider);
    return 0;
}

int run_saver_mode(const char* arguments) {
    const SaverCommand command = scan_saver_switch(arguments);
    switch (command.mode) {
    case SaverMode::ConfigureUnowned:
        return show_configure_dialog(nullptr);
    case SaverMode::Configure:
        return show_configure_dialog(window_or_foreground(command.handle_text));
    case SaverMode::FullScreen:
        return run_saver(nullptr);
    case SaverMode::Preview:
        return start_preview(command.handle_text);
    case SaverMode::ChangePassword:
        return win32.windows95_family ? change_password(command.handle_text) : kExitRejected;
    case SaverMode::Rejected:
        break;
    }
    return kExitRejected;
}

int saver_main(HINSTANCE module_instance, const char* arguments) {
    win32.module_instance = module_instance;
    win32.windows95_family = query_windows95_family() ? 1 : 0;
    return run_guarded(run_saver_mode, arguments);
}

} // namespace zintu
