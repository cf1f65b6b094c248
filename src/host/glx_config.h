// Choice of the GLX frame-buffer configuration nearest to the surface the
// saver asks for: double-buffered RGB with 24 colour bits and a 16-bit depth
// buffer, without alpha, stencil, accumulation or auxiliary buffers. Pure, so
// the ranking is tested without a display; glx_context reads the traits.
#pragma once

#include <cstdint>
#include <vector>

namespace zintu {

// What a configuration offers, read with glXGetFBConfigAttrib.
struct GlxConfigTraits {
    bool rgba = false;          // GLX_RENDER_TYPE has GLX_RGBA_BIT
    bool window = false;        // GLX_DRAWABLE_TYPE has GLX_WINDOW_BIT
    bool double_buffer = false; // GLX_DOUBLEBUFFER
    bool slow = false;          // GLX_CONFIG_CAVEAT is GLX_SLOW_CONFIG or non-conformant
    int red = 0, green = 0, blue = 0, alpha = 0;
    int depth = 0, stencil = 0;
    int accum = 0; // the four accumulation channels together
    int aux_buffers = 0;
    int samples = 0;
    uint32_t visual_id = 0; // GLX_VISUAL_ID; 0: no X visual, not for windows
};

// The index of the nearest usable configuration, or -1. Usable: RGBA,
// double-buffered, for windows, with an X visual, and, when `visual_id` is
// not 0, with that visual (a window that exists already keeps its own).
int choose_glx_config(const std::vector<GlxConfigTraits>& configs, uint32_t visual_id);

} // namespace zintu
