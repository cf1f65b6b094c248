// The end-to-end test's eyes and hands on the Windows side: finds the saver's
// windows as the system sees them and plays the program that owns a preview.
//
//   saver_probe wait-saver SECONDS     a full-screen saver window, visible,
//                                      on top and covering the screen
//   saver_probe dialog SECONDS         finds the settings dialog and presses OK
//   saver_probe parent destroy|exit SECONDS
//                                      makes a window for a preview and prints
//                                      its handle; once a preview fills it and
//                                      input has left it running, destroys the
//                                      window or ends without destroying it (the
//                                      system then does, as for any program)
// Exit status 0 when what was looked for is so; the reason goes to stdout.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr char kSaverClass[] = "WindowsScreenSaverClass";

// Dispatches this thread's messages for `millis` milliseconds.
void pump(DWORD millis) {
    const DWORD start = GetTickCount();
    for (MSG message{}; GetTickCount() - start < millis;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Polls `done` every 50 ms for up to `seconds`.
template <typename Done>
bool wait_for(Done done, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        if (done()) return true;
        pump(50);
    }
    return false;
}

int fail(const char* why) {
    std::printf("FAIL: %s\n", why);
    return 1;
}

int wait_saver(int seconds) {
    HWND saver = nullptr;
    if (!wait_for(
            [&] {
                return (saver = FindWindowA(kSaverClass, "Screen Saver")) && IsWindowVisible(saver);
            },
            seconds))
        return fail("no visible window of class WindowsScreenSaverClass titled Screen Saver");
    RECT rect{};
    GetWindowRect(saver, &rect);
    if (rect.left != 0 || rect.top != 0 || rect.right != GetSystemMetrics(SM_CXSCREEN) ||
        rect.bottom != GetSystemMetrics(SM_CYSCREEN))
        return fail("the window does not cover the screen");
    if (!(GetWindowLongA(saver, GWL_EXSTYLE) & WS_EX_TOPMOST))
        return fail("the window is not top-most");
    return 0;
}

// A visible top-level window with a 320x240 client area, as the control
// panel's little screen.
HWND make_owner() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
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

int parent(bool destroy, int seconds) {
    HWND owner = make_owner();
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(owner)));
    HWND child = nullptr;
    if (!wait_for([&] { return (child = FindWindowExA(owner, nullptr, kSaverClass, "Preview")); },
                  seconds))
        return fail("no child titled Preview appeared");
    RECT owner_client{}, child_client{};
    GetClientRect(owner, &owner_client);
    GetClientRect(child, &child_client);
    if (child_client.right != owner_client.right || child_client.bottom != owner_client.bottom)
        return fail("the preview does not fill its parent's client area");
    // Keys, clicks and deactivation do not close a preview.
    PostMessageA(child, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(child, WM_SYSKEYDOWN, VK_MENU, 0);
    PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageA(child, WM_ACTIVATEAPP, FALSE, 0);
    pump(1500);
    if (!IsWindow(child)) return fail("input ended the preview");
    if (destroy) return DestroyWindow(owner) ? 0 : fail("could not destroy the parent");
    ExitProcess(0); // the window stays for the system to destroy
}

int dialog(int seconds) {
    HWND found = nullptr;
    if (!wait_for([&] { return (found = FindWindowA("#32770", "Zintu Screensaver Settings")); },
                  seconds))
        return fail("no settings dialog");
    PostMessageA(GetDlgItem(found, IDOK), BM_CLICK, 0, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string command = argc > 1 ? argv[1] : "";
    const int seconds = std::atoi(argv[argc - 1]);
    if (command == "wait-saver" && argc == 3) return wait_saver(seconds);
    if (command == "dialog" && argc == 3) return dialog(seconds);
    if (command == "parent" && argc == 4) return parent(std::string(argv[2]) == "destroy", seconds);
    std::fprintf(stderr, "usage: saver_probe wait-saver S | dialog S | parent destroy|exit S\n");
    return 2;
}
