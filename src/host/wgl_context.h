// GL context of the Windows host (WGL): a pixel format nearest to the
// surface every host asks for, a rendering context made current on the
// window's own device context, and the release; where the driver offers
// pbuffers and separate read drawables (WGL_ARB_pbuffer,
// WGL_ARB_make_current_read), a pbuffer of the client size on the window's
// pixel format where the map layer keeps its picture (the map store).
//
// Leaves out: multisampling, swap-interval control, GL versions above 1.1.
// Limits: one context; no result of the context's GDI or WGL calls is
// tested, so a window without a context still runs the callbacks, without
// effect (the map store's are: without a working one, or once its contents
// are lost, the network is drawn every frame).
// Depends on: gdi32, opengl32 (the WGL extensions looked up at run time).
#pragma once

#include "render/map_store.h"

#include <windows.h>

namespace zintu {

// The pixel format the host asks for, built from the shared surface request.
PIXELFORMATDESCRIPTOR host_pixel_format();

// Binds a rendering context to `window`: fills host_dc and host_glrc.
void create_gl_context(HWND window);
// Unbinds and deletes the rendering context and the map store, and releases
// host_dc.
void destroy_gl_context(HWND window);

// The map store of the current context; empty without one.
MapStore wgl_map_store();

} // namespace zintu
