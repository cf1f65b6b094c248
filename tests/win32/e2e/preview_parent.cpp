// The program that owns a preview, for the end-to-end test:
//
//   preview_parent destroy|exit SECONDS
//
// makes a visible 320x240 window (the control panel's little screen) and
// prints its handle. Once a preview fills it and input has left the preview
// running, it destroys the window, or ends and leaves that to the system.
// Exit status 0 when all was so; the reason goes to stdout.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void pump(DWORD millis) {
    const DWORD start = GetTickCount();
    for (MSG message{}; GetTickCount() - start < millis;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

int fail(const char* why) {
    std::printf("FAIL: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string how = argc == 3 ? argv[1] : "";
    if (how != "destroy" && how != "exit") {
        std::fprintf(stderr, "usage: preview_parent destroy|exit SECONDS\n");
        return 2;
    }
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
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(owner)));

    HWND child = nullptr;
    for (int i = std::atoi(argv[2]) * 20; i > 0 && child == nullptr; --i) {
        pump(50);
        child = FindWindowExA(owner, nullptr, "WindowsScreenSaverClass", "Preview");
    }
    if (child == nullptr) return fail("no child titled Preview appeared");
    RECT owner_client{}, child_client{};
    GetClientRect(owner, &owner_client);
    GetClientRect(child, &child_client);
    if (child_client.right != owner_client.right || child_client.bottom != owner_client.bottom)
        return fail("the preview does not fill its parent's client area");
    PostMessageA(child, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageA(child, WM_ACTIVATEAPP, FALSE, 0);
    pump(1500);
    if (!IsWindow(child)) return fail("input ended the preview");
    if (how == "destroy") return DestroyWindow(owner) ? 0 : fail("could not destroy the window");
    ExitProcess(0); // the window stays for the system to destroy
}
