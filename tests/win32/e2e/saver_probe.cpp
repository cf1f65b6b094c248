// The end-to-end tests' eyes and hands on the Windows side: finds the saver's
// windows as the system sees them and plays the program that owns a preview.
//
//   saver_probe wait-saver SECONDS     a full-screen saver window on top,
//                                      covering the screen
//   saver_probe count-savers           how many full-screen saver windows exist
//   saver_probe preview SCR SECONDS    starts SCR /p <own window> and checks the
//                                      preview child, its input and its end
//   saver_probe dialog SECONDS         finds the settings dialog and presses OK
//   saver_probe parent SECONDS         makes a window for a preview and prints
//                                      its handle; once a preview shows in it,
//                                      ends without destroying it (the system
//                                      then does, as a program that ends does)
// Exit status 0 when what was looked for is so; the reason goes to stdout.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kSaverClass[] = "WindowsScreenSaverClass";

// Dispatches this thread's messages for `millis` milliseconds.
void pump(DWORD millis) {
    const DWORD start = GetTickCount();
    MSG message{};
    while (GetTickCount() - start < millis) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

template <typename Find>
HWND wait_for(Find find, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        if (HWND window = find()) return window;
        pump(50);
    }
    return nullptr;
}

int fail(const char* why) {
    std::printf("FAIL: %s\n", why);
    return 1;
}

int wait_saver(int seconds) {
    // Found once shown: the window exists a moment before it becomes visible.
    HWND saver = wait_for(
        [] {
            HWND window = FindWindowA(kSaverClass, "Screen Saver");
            return window && IsWindowVisible(window) ? window : nullptr;
        },
        seconds);
    if (saver == nullptr)
        return fail("no window of class WindowsScreenSaverClass titled Screen Saver");
    RECT rect{};
    GetWindowRect(saver, &rect);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const bool topmost = (GetWindowLongA(saver, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    const bool visible = IsWindowVisible(saver) != FALSE;
    std::printf("saver window %ldx%ld at %ld,%ld, screen %dx%d, topmost %d, visible %d\n",
                rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top, width, height,
                topmost, visible);
    if (rect.left != 0 || rect.top != 0 || rect.right != width || rect.bottom != height)
        return fail("the window does not cover the screen");
    if (!topmost) return fail("the window is not top-most");
    if (!visible) return fail("the window is not visible");
    return 0;
}

BOOL CALLBACK count_saver(HWND window, LPARAM count) {
    char name[64] = {};
    char title[64] = {};
    GetClassNameA(window, name, sizeof(name));
    GetWindowTextA(window, title, sizeof(title));
    if (std::strcmp(name, kSaverClass) == 0 && std::strcmp(title, "Screen Saver") == 0)
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int count_savers() {
    int count = 0;
    EnumWindows(count_saver, reinterpret_cast<LPARAM>(&count));
    std::printf("%d\n", count);
    return 0;
}

// A visible top-level window with a 320x240 client area, as the control
// panel's little screen.
HWND make_owner() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszClassName = "ZintuPreviewOwner";
    RegisterClassA(&window_class);
    RECT frame{0, 0, 320, 240};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND owner =
        CreateWindowExA(0, "ZintuPreviewOwner", "Preview owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        50, 50, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                        nullptr, GetModuleHandleA(nullptr), nullptr);
    pump(200);
    return owner;
}

int preview(const char* scr, int seconds) {
    HWND owner = make_owner();
    if (owner == nullptr) return fail("could not make the owner window");

    std::string command =
        std::string("\"") + scr + "\" /p " + std::to_string(reinterpret_cast<uintptr_t>(owner));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return fail("could not start the saver");
    std::printf("started %s\n", command.c_str());

    HWND child = wait_for([owner] { return FindWindowExA(owner, nullptr, kSaverClass, "Preview"); },
                          seconds);
    if (child == nullptr) return fail("no child titled Preview appeared");
    RECT owner_client{};
    RECT child_client{};
    GetClientRect(owner, &owner_client);
    GetClientRect(child, &child_client);
    std::printf("preview child %ldx%ld in a client area of %ldx%ld\n", child_client.right,
                child_client.bottom, owner_client.right, owner_client.bottom);
    if (child_client.right != owner_client.right || child_client.bottom != owner_client.bottom)
        return fail("the preview does not fill its parent's client area");

    // Keys, clicks and deactivation do not close a preview.
    PostMessageA(child, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(child, WM_SYSKEYDOWN, VK_MENU, 0);
    PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageA(child, WM_ACTIVATEAPP, FALSE, 0);
    pump(1500);
    if (!IsWindow(child)) return fail("input closed the preview");
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
        return fail("the saver ended on input");
    std::printf("preview still running after input\n");

    // It goes with its parent.
    DestroyWindow(owner);
    for (int i = 0; i < seconds * 20; ++i) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
        pump(50);
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    if (code == STILL_ACTIVE) {
        TerminateProcess(process.hProcess, 99);
        return fail("the saver did not end with its parent");
    }
    std::printf("preview ended with its parent, exit code %lu\n", code);
    return code == 0 ? 0 : fail("non-zero exit code");
}

int parent(int seconds) {
    HWND owner = make_owner();
    if (owner == nullptr) return fail("could not make the owner window");
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(owner)));
    HWND child = wait_for([owner] { return FindWindowExA(owner, nullptr, kSaverClass, "Preview"); },
                          seconds);
    if (child == nullptr) return fail("no child titled Preview appeared");
    pump(500);      // a few frames
    ExitProcess(0); // the window stays for the system to destroy
}

int dialog(int seconds) {
    HWND found =
        wait_for([] { return FindWindowA("#32770", "Zintu Screensaver Settings"); }, seconds);
    if (found == nullptr) return fail("no settings dialog");
    std::printf("dialog found\n");
    PostMessageA(GetDlgItem(found, IDOK), BM_CLICK, 0, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "wait-saver" && argc == 3) return wait_saver(std::atoi(argv[2]));
    if (command == "count-savers") return count_savers();
    if (command == "preview" && argc == 4) return preview(argv[2], std::atoi(argv[3]));
    if (command == "dialog" && argc == 3) return dialog(std::atoi(argv[2]));
    if (command == "parent" && argc == 3) return parent(std::atoi(argv[2]));
    std::fprintf(stderr,
                 "usage: saver_probe wait-saver S | count-savers | preview SCR S | dialog S "
                 "| parent S\n");
    return 2;
}
