// The GL window host on Windows: turns one window into a double-buffered
// OpenGL surface redrawn on a 10 ms window timer, and drives the application
// through the HostCallbacks table.
#pragma once

#include <windows.h>

#include <cstdint>

namespace zintu {

// The host serves exactly one window per process.
struct HostState {
    HWND host_window = nullptr;
    int32_t client_width = 0; // client rectangle at WM_CREATE; never updated
    int32_t client_height = 0;
    HDC host_dc = nullptr;
    HGLRC host_glrc = nullptr;
    // The stage every message goes on to after the host's own work; the saver
    // sets its default procedure here. Null means DefWindowProcA.
    WNDPROC next_stage = nullptr;
};

extern HostState host_state;

// The pixel format the host asks for: RGB, 24 colour bits, 16 depth bits,
// double-buffered, no alpha, stencil, accumulation or auxiliary buffers.
extern const PIXELFORMATDESCRIPTOR kHostPixelFormat;

// Window-procedure-shaped handler: the host's work on WM_CREATE, WM_DESTROY and
// WM_TIMER, then every message goes to `next_stage`, whose result it returns.
LRESULT CALLBACK host_message_handler(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Binds a rendering context to `window`: fills host_dc and host_glrc.
void create_gl_context(HWND window);
// Unbinds and deletes the rendering context and releases host_dc.
void destroy_gl_context(HWND window);

} // namespace zintu
