// Saver window for Windows.
//
// Implements: run_saver with the window class and the full-screen and preview
// forms, the single-instance check, the message loop, saver_window_proc (stage
// one of the chain), saver_default_proc (stage three) and the password
// verification of the Windows 95 family.
// Leaves out: the password verifier and the input-method function themselves:
// both are outside modules looked up by name, never linked.
// Limits: one saver window per process. Nothing is reported to the user.
// Depends on: user32, gdi32, kernel32, advapi32; the GL host (stage two).
#include "host/win32_saver_window.h"

#include "host/saver_rules.h"
#include "host/wgl_host.h"

namespace zintu {

SaverProcess saver_process;
SaverState saver_state;

namespace {

constexpr WORD kIconResource = 100; // the program has none, so the class ends up without

ScreenPoint cursor_point(POINT p) {
    return {static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)};
}

POINT current_cursor_pos() {
    POINT p{0, 0};
    GetCursorPos(&p);
    return p;
}

void hide_cursor() {
    SetCursor(nullptr);
}

// Posted to the window being handled, which is the saver window; posting to it
// rather than to the stored handle keeps a request made while the window is
// still being created from turning into a thread message nobody receives.
void post_close_request(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}

bool full_screen() {
    return saver_state.preview_mode == 0;
}

bool swallowed_system_command(WPARAM command) {
    return command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_SCREENSAVE;
}

void attach_input_context_none(HWND window) {
    saver_state.imm_module = GetModuleHandleA("IMM32.DLL"); // never loaded here
    if (saver_state.imm_module == nullptr) return;
    saver_state.imm_associate = reinterpret_cast<ImmAssociateContextFn>(
        reinterpret_cast<void*>(GetProcAddress(saver_state.imm_module, "ImmAssociateContext")));
    if (saver_state.imm_associate)
        saver_state.saved_input_context = saver_state.imm_associate(window, nullptr);
}

// The input and system events that end a running full-screen saver. Returns
// true with `result` set when the rule answers by itself.
bool apply_close_rules(HWND window, UINT message, WPARAM wparam, LRESULT& result) {
    switch (message) {
    case WM_SHOWWINDOW:
        if (wparam != 0) hide_cursor();
        return false;
    case WM_ACTIVATEAPP:
        if (wparam == 0) post_close_request(window);
        return false;
    case WM_SETCURSOR:
        hide_cursor();
        result = 1;
        return true;
    case WM_POWER:
        if (wparam == PWR_CRITICALRESUME) post_close_request(window);
        return false;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_POWERBROADCAST:
        post_close_request(window);
        return false;
    case WM_MOUSEMOVE: {
        // The message's own coordinates are client-relative and may lag; the
        // screen position is what the threshold is measured in.
        const POINT now = current_cursor_pos();
        if (mouse_move_closes(cursor_point(saver_state.saved_cursor_pos), cursor_point(now),
                              saver_state.mouse_move_threshold)) {
            post_close_request(window);
            saver_state.saved_cursor_pos = now;
        }
        return false;
    }
    default:
        return false;
    }
}

int run_message_loop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : kExitNoSaverWindow;
}

} // namespace

void set_saver_running(int32_t on) {
    if (!saver_process.windows95_family) return;
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, static_cast<UINT>(on), &previous, 0);
}

void release_password_verifier() {
    if (!saver_process.windows95_family || saver_state.password_module == nullptr) return;
    FreeLibrary(saver_state.password_module);
    saver_state.password_module = nullptr;
    if (saver_state.verify_password) {
        saver_state.verify_password = nullptr;
        set_saver_running(0);
    }
}

void load_password_verifier() {
    if (!saver_process.windows95_family) return;
    if (saver_state.password_module) release_password_verifier();
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key) != ERROR_SUCCESS) return;
    DWORD use_password = 0;
    DWORD size = sizeof(use_password);
    if (RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&use_password), &size) == ERROR_SUCCESS &&
        use_password != 0) {
        saver_state.password_module = LoadLibraryA("PASSWORD.CPL");
        if (saver_state.password_module) {
            saver_state.verify_password =
                reinterpret_cast<VerifyPasswordFn>(reinterpret_cast<void*>(
                    GetProcAddress(saver_state.password_module, "VerifyScreenSavePwd")));
            if (saver_state.verify_password) {
                set_saver_running(1);
            } else {
                release_password_verifier();
            }
        }
    }
    RegCloseKey(key);
}

BOOL verify_before_close(HWND window) {
    if (saver_state.verifying_password || saver_state.close_approved) return FALSE;
    if (saver_state.verify_password == nullptr) {
        saver_state.close_approved = 1;
        return TRUE;
    }
    if (within_verify_grace(GetTickCount(), saver_state.last_verify_end)) {
        return saver_state.close_approved; // refused without asking
    }
    saver_state.verifying_password = 1;
    // Frames that queued up must not run the moment the verifier's dialog goes.
    MSG dropped{};
    PeekMessageA(&dropped, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    PeekMessageA(&dropped, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    saver_state.close_approved =
        static_cast<int32_t>(SendMessageA(window, kVerifyRequestMessage, 0, 0));
    saver_state.verifying_password = 0;
    if (!saver_state.close_approved) hide_cursor();
    saver_state.last_verify_end = GetTickCount();
    return saver_state.close_approved;
}

LRESULT CALLBACK saver_default_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!saver_state.preview_mode && !saver_state.close_approved) {
        if (message == WM_CLOSE) {
            if (saver_process.windows95_family && !verify_before_close(window)) {
                saver_state.saved_cursor_pos = current_cursor_pos();
                return 0; // refused: the window stays
            }
        } else if (message == kVerifyRequestMessage) {
            if (saver_process.windows95_family) {
                return saver_state.verify_password ? saver_state.verify_password(window) : 1;
            }
        } else if (!saver_state.verifying_password) {
            LRESULT result = 0;
            if (apply_close_rules(window, message, wparam, result)) return result;
        }
    }
    if (saver_state.autoplay_message != 0 && message == saver_state.autoplay_message) {
        post_close_request(window);
        return saver_state.verify_password ? 1 : 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT CALLBACK saver_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        attach_input_context_none(window);
        saver_state.saved_cursor_pos = current_cursor_pos();
        if (full_screen()) hide_cursor();
        break;
    case WM_DESTROY:
        if (saver_state.imm_module && saver_state.imm_associate &&
            saver_state.saved_input_context) {
            saver_state.imm_associate(window, saver_state.saved_input_context);
        }
        PostQuitMessage(0);
        break;
    case WM_SETTEXT:
        return 0; // the title is set only at creation
    case WM_PAINT:
        if (saver_state.close_approved) return DefWindowProcA(window, message, wparam, lparam);
        if (full_screen()) hide_cursor();
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (!full_screen()) {
            const HWND parent = GetParent(window);
            if (parent && IsWindow(parent)) {
                PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lparam);
            }
            return 1;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (saver_state.close_approved) return DefWindowProcA(window, message, wparam, lparam);
        break;
    case WM_SYSCOMMAND:
        if (full_screen() && swallowed_system_command(wparam)) return 0;
        break;
    case WM_TIMER:
        if (saver_state.close_approved) return 0; // no more frames
        Sleep(0);
        break;
    default:
        break;
    }
    return host_message_handler(window, message, wparam, lparam);
}

SaverOpen open_saver_window(HWND parent) {
    WNDCLASSA window_class{};
    window_class.style = kSaverClassStyle;
    window_class.lpfnWndProc = saver_window_proc;
    window_class.hInstance = saver_process.module_instance;
    window_class.hIcon = LoadIconA(saver_process.module_instance, MAKEINTRESOURCEA(kIconResource));
    window_class.hCursor = nullptr;
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    window_class.lpszClassName = kSaverClassName;

    RECT area{};
    DWORD style = kPreviewStyle;
    DWORD ex_style = 0;
    const char* title = kPreviewTitle;
    if (parent) {
        GetClientRect(parent, &area);
        saver_state.preview_mode = 1;
    } else {
        const HDC screen = GetDC(nullptr);
        GetClipBox(screen, &area);
        ReleaseDC(nullptr, screen);
        style = kFullScreenStyle;
        ex_style = kFullScreenExStyle;
        title = kFullScreenTitle;
        const HWND other = FindWindowA(kSaverClassName, kFullScreenTitle);
        if (other && IsWindow(other)) {
            SetForegroundWindow(other);
            return SaverOpen::another_instance;
        }
        load_password_verifier();
    }
    saver_state.autoplay_message =
        saver_process.windows95_family ? RegisterWindowMessageA(kAutoplayMessageName) : 0;
    host_state.next_stage = saver_default_proc;

    if (!RegisterClassA(&window_class)) return SaverOpen::failed;
    saver_state.saver_window = CreateWindowExA(
        ex_style, kSaverClassName, title, style, area.left, area.top, area.right - area.left,
        area.bottom - area.top, parent, nullptr, saver_process.module_instance, nullptr);
    if (saver_state.saver_window == nullptr) return SaverOpen::failed;
    if (!parent) SetForegroundWindow(saver_state.saver_window);
    return SaverOpen::created;
}

int run_saver(HWND parent) {
    const SaverOpen opened = open_saver_window(parent);
    if (opened == SaverOpen::another_instance) return 0;
    const int code = opened == SaverOpen::created ? run_message_loop() : kExitNoSaverWindow;
    release_password_verifier();
    return code;
}

} // namespace zintu
