// GL window host for Windows (WGL).
//
// Implements: the host's message handler (context and frame timer on
// WM_CREATE, frames on WM_TIMER 1, teardown on WM_DESTROY) and the WGL context.
// Leaves out: size changes (the viewport keeps the creation size), owning a
// window class or message loop (the window's procedure calls the handler).
// Limits: one window per process; no result of a GDI, WGL or timer call is
// tested, so a missing context leaves the callbacks running without effect.
// Depends on: user32, gdi32, opengl32.
#include "host/wgl_host.h"

#include "host/host_callbacks.h"

namespace zintu {

HostState host_state;

const PIXELFORMATDESCRIPTOR kHostPixelFormat = {
    sizeof(PIXELFORMATDESCRIPTOR),                              // nSize: 40
    1,                                                          // nVersion
    PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, // dwFlags: 0x25
    PFD_TYPE_RGBA,                                              // iPixelType
    24,                                                         // cColorBits
    0,
    0,
    0,
    0,
    0,
    0, // per-channel bits, shifts
    0,
    0, // no alpha
    0,
    0,
    0,
    0,
    0,              // no accumulation buffer
    16,             // cDepthBits
    0,              // cStencilBits
    0,              // cAuxBuffers
    PFD_MAIN_PLANE, // iLayerType
    0,
    0,
    0,
    0, // reserved and masks
};

void create_gl_context(HWND window) {
    host_state.host_dc = GetDC(window);
    const int format = ChoosePixelFormat(host_state.host_dc, &kHostPixelFormat);
    SetPixelFormat(host_state.host_dc, format, &kHostPixelFormat);
    host_state.host_glrc = wglCreateContext(host_state.host_dc);
    wglMakeCurrent(host_state.host_dc, host_state.host_glrc);
}

void destroy_gl_context(HWND window) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(host_state.host_glrc);
    ReleaseDC(window, host_state.host_dc);
    host_state.host_glrc = nullptr;
    host_state.host_dc = nullptr;
}

namespace {

void on_create(HWND window) {
    host_state.host_window = window; // first, so the application can use it
    register_host_callbacks();
    RECT client{};
    GetClientRect(window, &client);
    host_state.client_width = client.right;
    host_state.client_height = client.bottom;
    if (host_callbacks.before_context) host_callbacks.before_context();
    create_gl_context(window);
    if (host_callbacks.on_init)
        host_callbacks.on_init(host_state.client_width, host_state.client_height);
    // Last: no frame can come before initialisation has finished.
    SetTimer(window, kFrameTimerId, kFrameTimerMillis, nullptr);
}

void on_destroy(HWND window) {
    KillTimer(window, kFrameTimerId);
    if (host_callbacks.on_destroy) host_callbacks.on_destroy(); // context still current
    destroy_gl_context(window);
}

void on_frame_tick() {
    if (host_callbacks.on_frame) host_callbacks.on_frame();
    SwapBuffers(host_state.host_dc); // also without on_frame
    if (host_callbacks.after_swap) host_callbacks.after_swap();
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
            on_frame_tick();
        } else if (host_callbacks.on_other_timer) {
            host_callbacks.on_other_timer(static_cast<uint32_t>(wparam));
        }
        break;
    default:
        break;
    }
    const WNDPROC next = host_state.next_stage ? host_state.next_stage : DefWindowProcA;
    return next(window, message, wparam, lparam);
}

} // namespace zintu
