// WGL context creation and release for the host's one window.
#include "host/wgl_context.h"

#include "host/gl_surface.h"
#include "host/win32_state.h"

namespace zintu {

PIXELFORMATDESCRIPTOR host_pixel_format() {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL |
                     (kSurfaceRequest.double_buffered ? PFD_DOUBLEBUFFER : 0);
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = kSurfaceRequest.colour_bits;
    format.cAlphaBits = kSurfaceRequest.alpha_bits;
    format.cDepthBits = kSurfaceRequest.depth_bits;
    format.cStencilBits = kSurfaceRequest.stencil_bits;
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

void create_gl_context(HWND window) {
    HostState& host = win32.host;
    const PIXELFORMATDESCRIPTOR request = host_pixel_format();
    host.host_dc = GetDC(window);
    const int format = ChoosePixelFormat(host.host_dc, &request);
    SetPixelFormat(host.host_dc, format, &request);
    host.host_glrc = wglCreateContext(host.host_dc);
    wglMakeCurrent(host.host_dc, host.host_glrc);
}

void destroy_gl_context(HWND window) {
    HostState& host = win32.host;
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(host.host_glrc);
    ReleaseDC(window, host.host_dc);
    host.host_glrc = nullptr;
    host.host_dc = nullptr;
}

} // namespace zintu
