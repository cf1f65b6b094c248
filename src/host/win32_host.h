// The GL window host on Windows: turns one window into a double-buffered
// OpenGL surface redrawn on a 10 ms window timer, and drives the application
// through the shared host sequence.
//
// Implements: the host's message handler (WM_CREATE, WM_DESTROY, WM_TIMER);
// the context itself is wgl_context's.
// Leaves out: size changes (the viewport keeps the creation size), owning a
// window class or message loop (the window's procedure calls the handler).
// Limits: one window per process. Depends on: user32; the WGL context.
#pragma once

#include <windows.h>

namespace zintu {

// Window-procedure-shaped handler: the host's work on WM_CREATE, WM_DESTROY
// and WM_TIMER, then every message goes to win32.host.next_stage, whose
// result it returns unchanged.
LRESULT CALLBACK host_message_handler(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace zintu
