// GL context of the Windows host (WGL): a pixel format nearest to the
// surface every host asks for, a rendering context made current on the
// window's own device context, and the release.
//
// Leaves out: multisampling, swap-interval control, GL versions above 1.1.
// Limits: one context; no result of a GDI or WGL call is tested, so a window
// without a context still runs the callbacks, without effect.
// Depends on: gdi32, opengl32.
#pragma once

#include <windows.h>

namespace zintu {

// The pixel format the host asks for, built from the shared surface request.
PIXELFORMATDESCRIPTOR host_pixel_format();

// Binds a rendering context to `window`: fills host_dc and host_glrc.
void create_gl_context(HWND window);
// Unbinds and deletes the rendering context and releases host_dc.
void destroy_gl_context(HWND window);

} // namespace zintu
