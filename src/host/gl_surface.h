// The drawing surface every GL host asks for, stated once: double-buffered
// RGB with 24 colour bits (8 a channel) and a 16-bit depth buffer, without
// alpha, stencil, accumulation or auxiliary buffers. The WGL pixel format,
// the GLX configuration ranking and the EGL configuration all read it.
#pragma once

namespace zintu {

struct SurfaceRequest {
    int colour_bits;
    int channel_bits;
    int depth_bits;
    int alpha_bits;
    int stencil_bits;
    bool double_buffered;
};

inline constexpr SurfaceRequest kSurfaceRequest = {24, 8, 16, 0, 0, true};

} // namespace zintu
