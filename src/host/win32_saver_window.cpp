// Saver window for Windows.
//
// Implements: run_saver with the window class and the full-screen and preview
// forms, the single-instance check, the message loop, saver_window_proc (stage
// one of the chain), saver_default_proc (stage three) and the password
// verification of the Windows 95 family.
// Leaves out: the password verifier and the input-method function themselves:
// both are outside modules looked up by name, never linked.
// Limits: one saver window per process. Nothing is reported to the user. A
// preview ends within a frame period of its parent window's end.
// Depends on: user32, gdi32, kernel32, advapi32; the GL host (stage two).
#include "host/win32_saver_window.h"

#include "app/host_callbacks.h"
#include "app/saver_rules.h"
#include "host/win32_close_rules.h"
#include "host/win32_host.h"

namespace zintu {

static_assert(win32_message::kClose == WM_CLOSE && win32_message::kShowWindow == WM_SHOWWINDOW &&
              win32_message::kActivateApp == WM_ACTIVATEAPP &&
              win32_message::kSetCursor == WM_SETCURSOR && win32_message::kPower == WM_POWER &&
              win32_message::kKeyDown == WM_KEYDOWN &&
              win32_message::kSysKeyDown == WM_SYSKEYDOWN &&
              win32_message::kMouseMove == WM_MOUSEMOVE &&
              win32_message::kLButtonDown == WM_LBUTTONDOWN &&
              win32_message::kRButtonDown == WM_RBUTTONDOWN &&
              win32_message::kMButtonDown == WM_MBUTTONDOWN &&
              win32_message::kPowerBroadcast == WM_POWERBROADCAST &&
              win32_message::kPowerCriticalResume == PWR_CRITICALRESUME &&
              win32_message::kPowerSettingChange == PBT_POWERSETTINGCHANGE);

namespace {

constexpr WORD kIconResource = 100; // the program has none, so the class ends up without

ScreenPoint current_cursor_pos() {
    POINT p{0, 0};
    GetCursorPos(&p);
    return {static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)};
}

void hide_cursor() {
    SetCursor(nullptr);
}

// Posted to the window being handled, which is the saver window; posting to it
// rather than to the stored handle keeps a request made while the window is
// still being created from turning into a thread message nobody receives.
void post_close_request(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
}

bool full_screen() {
    return win32.saver.preview_mode == 0;
}

bool swallowed_system_command(WPARAM command) {
    return command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_SCREENSAVE;
}

void attach_input_context_none(HWND window) {
    SaverState& saver = win32.saver;
    saver.imm_module = GetModuleHandleW(L"IMM32.DLL"); // never loaded here
    if (saver.imm_module == nullptr) return;
    saver.imm_associate = reinterpret_cast<ImmAssociateContextFn>(
        reinterpret_cast<void*>(GetProcAddress(saver.imm_module, "ImmAssociateContext")));
    if (saver.imm_associate) saver.saved_input_context = saver.imm_associate(window, nullptr);
}

SaverCloseState close_state() {
    const SaverState& saver = win32.saver;
    SaverCloseState state;
    state.preview_mode = saver.preview_mode != 0;
    state.close_approved = saver.close_approved != 0;
    state.verifying_password = saver.verifying_password != 0;
    state.windows95_family = win32.windows95_family != 0;
    state.verifier_loaded = saver.verify_password != nullptr;
    state.autoplay_message = saver.autoplay_message;
    state.saved_cursor_pos = saver.saved_cursor_pos;
    state.mouse_move_threshold = saver.mouse_move_threshold;
    return state;
}

// A preview's parent can go without a word to the preview: when the program
// that owns it ends without destroying it, the system destroys the parent
// and the preview in it, and this thread gets neither WM_DESTROY nor another
// frame tick. So a preview's loop wakes at the frame period on a timer of the
// thread's own, and ends (with 0, as after WM_DESTROY) once the parent is gone.
int run_message_loop() {
    const bool preview = win32.saver.preview_mode != 0;
    const UINT_PTR watch = preview ? SetTimer(nullptr, 0, kFrameTimerMillis, nullptr) : 0;
    MSG message{};
    int code = kExitNoSaverWindow;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (preview && !IsWindow(win32.saver.preview_parent)) {
            const HWND saver = win32.saver.saver_window;
            if (!IsWindow(saver)) {
                code = 0;
                break;
            }
            DestroyWindow(saver); // WM_DESTROY posts the quit message
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (message.message == WM_QUIT) code = static_cast<int>(message.wParam);
    if (watch != 0) KillTimer(nullptr, watch);
    return code;
}

} // namespace

void set_saver_running(int32_t on) {
    if (!win32.windows95_family) return;
    UINT previous = 0;
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, static_cast<UINT>(on), &previous, 0);
}

void release_password_verifier() {
    SaverState& saver = win32.saver;
    if (!win32.windows95_family || saver.password_module == nullptr) return;
    FreeLibrary(saver.password_module);
    saver.password_module = nullptr;
    if (saver.verify_password) {
        saver.verify_password = nullptr;
        set_saver_running(0);
    }
}

void load_password_verifier() {
    SaverState& saver = win32.saver;
    if (!win32.windows95_family) return;
    if (saver.password_module) release_password_verifier();
    HKEY key = nullptr;
    if (RegOpenKeyW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", &key) != ERROR_SUCCESS) return;
    DWORD use_password = 0;
    DWORD size = sizeof(use_password);
    if (RegQueryValueExW(key, L"ScreenSaveUsePassword", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&use_password), &size) == ERROR_SUCCESS &&
        use_password != 0) {
        saver.password_module = LoadLibraryW(L"PASSWORD.CPL");
        if (saver.password_module) {
            saver.verify_password = reinterpret_cast<VerifyPasswordFn>(reinterpret_cast<void*>(
                GetProcAddress(saver.password_module, "VerifyScreenSavePwd")));
            if (saver.verify_password) {
                set_saver_running(1);
            } else {
                release_password_verifier();
            }
        }
    }
    RegCloseKey(key);
}

BOOL verify_before_close(HWND window) {
    SaverState& saver = win32.saver;
    if (saver.verifying_password || saver.close_approved) return FALSE;
    if (saver.verify_password == nullptr) {
        saver.close_approved = 1;
        return TRUE;
    }
    if (within_verify_grace(GetTickCount(), saver.last_verify_end)) {
        return saver.close_approved; // refused without asking
    }
    saver.verifying_password = 1;
    // Frames that queued up must not run the moment the verifier's dialog goes.
    MSG dropped{};
    PeekMessageW(&dropped, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    PeekMessageW(&dropped, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    saver.close_approved =
        static_cast<int32_t>(SendMessageW(window, win32_message::kVerifyRequest, 0, 0));
    saver.verifying_password = 0;
    if (!saver.close_approved) hide_cursor();
    saver.last_verify_end = GetTickCount();
    return saver.close_approved;
}

LRESULT CALLBACK saver_default_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    SaverState& saver = win32.saver;
    const ScreenPoint now = message == WM_MOUSEMOVE ? current_cursor_pos() : ScreenPoint{};
    const CloseDecision decision = decide_saver_default(message, wparam, close_state(), now);
    if (decision.hide_cursor) hide_cursor();
    if (decision.post_close) post_close_request(window);
    if (decision.save_cursor) saver.saved_cursor_pos = now;
    switch (decision.step) {
    case CloseStep::Answer:
        return static_cast<LRESULT>(decision.answer);
    case CloseStep::RunVerifier:
        return saver.verify_password ? saver.verify_password(window) : 1;
    case CloseStep::VerifyClose:
        if (!verify_before_close(window)) {
            saver.saved_cursor_pos = current_cursor_pos();
            return 0; // refused: the window stays
        }
        break;
    case CloseStep::Default:
        break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK saver_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        attach_input_context_none(window);
        win32.saver.saved_cursor_pos = current_cursor_pos();
        if (full_screen()) hide_cursor();
        break;
    case WM_DESTROY:
        if (win32.saver.imm_module && win32.saver.imm_associate &&
            win32.saver.saved_input_context) {
            win32.saver.imm_associate(window, win32.saver.saved_input_context);
        }
        PostQuitMessage(0);
        break;
    case WM_SETTEXT:
        return 0; // the title is set only at creation
    case WM_PAINT:
        if (win32.saver.close_approved) return DefWindowProcW(window, message, wparam, lparam);
        if (full_screen()) hide_cursor();
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (!full_screen()) {
            const HWND parent = GetParent(window);
            if (parent && IsWindow(parent)) {
                PostMessageW(parent, message, reinterpret_cast<WPARAM>(parent), lparam);
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
        if (win32.saver.close_approved) return DefWindowProcW(window, message, wparam, lparam);
        break;
    case WM_SYSCOMMAND:
        if (full_screen() && swallowed_system_command(wparam)) return 0;
        break;
    case WM_TIMER:
        if (win32.saver.close_approved) return 0; // no more frames
        Sleep(0);
        break;
    default:
        break;
    }
    return host_message_handler(window, message, wparam, lparam);
}

SaverOpen open_saver_window(HWND parent) {
    WNDCLASSW window_class{};
    window_class.style = kSaverClassStyle;
    window_class.lpfnWndProc = saver_window_proc;
    window_class.hInstance = win32.module_instance;
    window_class.hIcon = LoadIconW(win32.module_instance, MAKEINTRESOURCEW(kIconResource));
    window_class.hCursor = nullptr;
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    window_class.lpszClassName = kSaverClassName;

    RECT area{};
    DWORD style = kPreviewStyle;
    DWORD ex_style = 0;
    const wchar_t* title = kPreviewTitle;
    if (parent) {
        GetClientRect(parent, &area);
        win32.saver.preview_parent = parent;
        win32.saver.preview_mode = 1;
    } else {
        const HDC screen = GetDC(nullptr);
        GetClipBox(screen, &area);
        ReleaseDC(nullptr, screen);
        style = kFullScreenStyle;
        ex_style = kFullScreenExStyle;
        title = kFullScreenTitle;
        const HWND other = FindWindowW(kSaverClassName, kFullScreenTitle);
        if (other && IsWindow(other)) {
            SetForegroundWindow(other);
            return SaverOpen::AnotherInstance;
        }
        load_password_verifier();
    }
    win32.saver.autoplay_message =
        win32.windows95_family ? RegisterWindowMessageW(kAutoplayMessageName) : 0;
    win32.host.next_stage = saver_default_proc;

    if (!RegisterClassW(&window_class)) return SaverOpen::Failed;
    win32.saver.saver_window = CreateWindowExW(
        ex_style, kSaverClassName, title, style, area.left, area.top, area.right - area.left,
        area.bottom - area.top, parent, nullptr, win32.module_instance, nullptr);
    if (win32.saver.saver_window == nullptr) return SaverOpen::Failed;
    if (!parent) SetForegroundWindow(win32.saver.saver_window);
    return SaverOpen::Created;
}

int run_saver(HWND parent) {
    const SaverOpen opened = open_saver_window(parent);
    if (opened == SaverOpen::AnotherInstance) return 0;
    const int code = opened == SaverOpen::Created ? run_message_loop() : kExitNoSaverWindow;
    release_password_verifier();
    return code;
}

} // namespace zintu
