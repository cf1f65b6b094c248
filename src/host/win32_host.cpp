// The Windows host's message handler: the window's side of the shared host
// sequence (creation, frame ticks, other timers, destruction).
#include "host/win32_host.h"

#include "app/host_callbacks.h"
#include "app/host_sequence.h"
#include "host/wgl_context.h"
#include "host/win32_state.h"

namespace zintu {

Win32State win32;

namespace {

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
    SetTimer(window, kFrameTimerId, kFrameTimerMillis, nullptr);
}

void on_destroy(HWND window) {
    KillTimer(window, kFrameTimerId);
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
    case WM_TIMER:
        if (wparam == kFrameTimerId) {
            host_frame([] { SwapBuffers(win32.host.host_dc); });
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
