// preview_parent destroy|exit: the control panel's little screen. Prints its
// window's handle; once a preview fills it and input has left the preview
// running, destroys the window or ends. Exit status 0 when all was so.
#include <windows.h>

#include <cstdio>
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
    const std::string how = argc == 2 ? argv[1] : "";
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "ZintuPreviewOwner";
    RegisterClassA(&window_class);
    HWND owner =
        CreateWindowExA(0, "ZintuPreviewOwner", "Preview owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        50, 50, 330, 270, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(owner)));

    HWND child = nullptr;
    for (int i = 0; i < 600 && child == nullptr; ++i) { // 30 seconds
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
    if (how == "exit") ExitProcess(0); // the window stays for the system to destroy
    return fail("usage: preview_parent destroy|exit");
}
