// The Windows host's message handler: the window's side of the shared host
// sequence (creation, frame ticks, other timers, destruction). The frame
// timer is set anew to each delay the application gives; a repaint brings
// the next frame within one period, and no frame is drawn while the display
// is off.
#include "host/win32_host.h"

#include "app/host_callbacks.h"
#include "app/host_sequence.h"
#include "host/wgl_context.h"
#include "host/win32_state.h"

namespace zintu {

Win32State win32;

namespace {

// The console display's state: {6FE69556-704A-47A0-8F24-C28D936FDA47}.
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

void set_frame_timer(HWND window, UINT period) {
    win32.host.frame_period = period;
    SetTimer(window, kFrameTimerId, period, nullptr);
}

void on_frame_tick(HWND window) {
    if (win32.host.display_off) return; // a tick queued before the display went off
    const UINT delay = host_frame([] { SwapBuffers(win32.host.host_dc); });
    // Every tick: the timer stays as it is. Else it starts anew from now.
    if (delay != kFrameTimerMillis || win32.host.frame_period != kFrameTimerMillis) {
        set_frame_timer(window, delay);
    }
}

// The display went off (0) or came on (1) or was dimmed (2). Back on, the
// frames start again at once and show the time of now.
void on_power_setting(HWND window, LPARAM lparam) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lparam);
    if (setting == nullptr || !IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) ||
        setting->DataLength < sizeof(DWORD)) {
        return;
    }
    DWORD state = 0;
    CopyMemory(&state, setting->Data, sizeof state);
    HostState& host = win32.host;
    if (state == 0 && !host.display_off) {
        host.display_off = true;
        KillTimer(window, kFrameTimerId);
        host.frame_period = 0;
    } else if (state != 0 && host.display_off) {
        host.display_off = false;
        set_frame_timer(window, kFrameTimerMillis);
    }
}

void on_create(HWND window) {
    HostState& host = win32.host;
    host.host_window = window; // first, so the application can use it
    RECT client{};
    GetClientRect(window, &client);
    host.client_width = client.right;
    host.client_height = client.bottom;
    host_created(host.register_callbacks, host.client_width, host.client_height,
                 [window] { create_gl_context(window); });
    // Last: no frame can come before initialisation has finished.
    set_frame_timer(window, kFrameTimerMillis);
    host.display_notify = RegisterPowerSettingNotification(window, &kConsoleDisplayState,
                                                           DEVICE_NOTIFY_WINDOW_HANDLE);
}

void on_destroy(HWND window) {
    KillTimer(window, kFrameTimerId);
    win32.host.frame_period = 0;
    if (win32.host.display_notify) UnregisterPowerSettingNotification(win32.host.display_notify);
    win32.host.display_notify = nullptr;
    host_destroyed([window] { destroy_gl_context(window); });
}

} // namespace

LRESULT CALLBACK host_message_handler(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        on_create(window);
        break;
    case WM_DESTROY:
        on_destroy(window);
        break;
    case WM_PAINT:
        if (!win32.host.display_off && win32.host.frame_period > kFrameTimerMillis) {
            set_frame_timer(window, kFrameTimerMillis);
        }
        break;
    case WM_POWERBROADCAST:
        if (wparam == PBT_POWERSETTINGCHANGE) on_power_setting(window, lparam);
        break;
    case WM_TIMER:
        if (wparam == kFrameTimerId) {
            on_frame_tick(window);
        } else {
            host_other_timer(static_cast<uint32_t>(wparam));
        }
        break;
    default:
        break;
    }
    const WNDPROC next = win32.host.next_stage ? win32.host.next_stage : DefWindowProcW;
    return next(window, message, wparam, lparam);
}

} // namespace zintu
