// Monitor rectangles from the system for the saver's full-screen window.
#include "host/win32_monitors.h"

#include "host/win32_state.h"

#include <windows.h>

namespace zintu {
namespace {

ScreenRect screen_rect(const RECT& r) {
    return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
            static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)};
}

BOOL CALLBACK add_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(screen_rect(info.rcMonitor));
    }
    return TRUE;
}

} // namespace

MonitorSet win32_monitors() {
    MonitorSet screens;
    const HWND window = win32.host.host_window;
    RECT client{};
    if (win32.saver.preview_mode != 0 || window == nullptr || !GetClientRect(window, &client)) {
        return screens;
    }
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    screens.window = screen_rect(client);
    EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&screens.monitors));
    return screens;
}

} // namespace zintu
