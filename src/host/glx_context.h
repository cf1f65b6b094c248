// GL context of the X11 host, on GLX 1.3.
//
// Implements: the choice of the frame-buffer configuration nearest to
// double-buffered RGB with 24 colour bits and a 16-bit depth buffer (no alpha,
// stencil, accumulation or auxiliary buffers), limited to a given X visual
// when drawing into a window that exists already; a direct rendering context
// made current on the window; a pbuffer of the window's size on the same
// configuration where the map layer keeps its picture (the map store), when
// the configuration allows pbuffers; the buffer swap; the release.
// Leaves out: swap-interval control (a driver that syncs to the vertical
// blank paces the frames itself), multisampling, GL versions above 1.1.
// Limits: one context, current on the calling thread only. A window whose
// visual has no double-buffered GL configuration cannot be drawn into.
// Depends on: libGLX (libglvnd) with a Mesa or vendor driver, Xlib.
#pragma once

#include "render/map_store.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstdint>
#include <string>

namespace zintu {

struct GlxSurfaceFormat {
    GLXFBConfig config = nullptr;
    Visual* visual = nullptr;
    int depth = 0; // the X visual's depth
    VisualID visual_id = 0;
};

struct GlxContext {
    Display* display = nullptr;
    Window window = 0;
    GLXContext context = nullptr;
    GLXPbuffer store = 0; // the map store, or 0
};

// The GLX extension's first error code, or -1 without GLX.
int glx_error_base(Display* display);

// Picks the configuration for `screen`, on `visual_id` only when it is not 0.
// On failure returns false with a one-line reason.
bool choose_glx_format(Display* display, int screen, VisualID visual_id, GlxSurfaceFormat& format,
                       std::string& error);

// Creates the context for `format` and makes it current on `window`.
bool create_glx_context(Display* display, const GlxSurfaceFormat& format, Window window,
                        GlxContext& context, std::string& error);

// Creates the map store for a `width` x `height` view, when `format` allows
// pbuffers; false (and no store) otherwise. X errors of the attempt, and of
// the store's switches, are kept from the caller's error handler.
bool create_glx_map_store(const GlxSurfaceFormat& format, int32_t width, int32_t height,
                          GlxContext& context);

// The map store of `context`; empty without one. Valid while `context` lives
// at the same address.
MapStore glx_map_store(const GlxContext& context);

// Presents the back buffer.
void swap_glx_buffers(const GlxContext& context);

// Makes no context current and deletes the context and the map store.
void destroy_glx_context(GlxContext& context);

} // namespace zintu
