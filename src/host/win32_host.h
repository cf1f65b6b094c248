// The GL window host on Windows: turns one window into a double-buffered
// OpenGL surface redrawn on a window timer, every 10 ms or as the
// application's frame delay says, and drives the application through the
// shared host sequence.
//
// Implements: the host's message handler (WM_CREATE, WM_DESTROY, WM_TIMER;
// WM_PAINT brings the next frame within 10 ms; WM_POWERBROADCAST with the
// console display's state stops the frames while the display is off); the
// context itself is wgl_context's.
// Leaves out: size changes (the viewport keeps the creation size), owning a
// window class or message loop (the window's procedure calls the handler).
// Limits: one window per process. Depends on: user32; the WGL context.
#pragma once

#include <windows.h>

namespace zintu {

// Window-procedure-shaped handler: the host's work on WM_CREATE, WM_DESTROY,
// WM_TIMER, WM_PAINT and WM_POWERBROADCAST, then every message goes to win32.host.next_stage, whose
// result it returns unchanged.
LRESULT CALLBACK host_message_handler(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace zintu
