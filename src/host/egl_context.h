// Headless OpenGL: a desktop GL context on an EGL pbuffer, with no X server.
//
// Implements: display (Mesa's surfaceless platform, else the first EGL device,
// else the default display), an RGB pbuffer of the requested size with a
// 16-bit depth buffer, making it current, and reading the picture back; a
// second pbuffer of the same size and configuration where the map layer
// keeps its picture (the map store), when the display gives one.
// Leaves out: double buffering (a pbuffer has one buffer; the swap is kept
// only so the host sequence is the same as on screen).
// Depends on: libEGL (libglvnd) and a Mesa driver (llvmpipe in software).
#pragma once

#include "render/map_store.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zintu {

struct EglContext {
    void* display = nullptr;
    void* config = nullptr;
    void* surface = nullptr;
    void* store = nullptr; // the map store's pbuffer, or null
    void* context = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

// Creates the context and makes it current. On failure returns false with a
// one-line reason in `error`, and leaves nothing to release.
bool create_egl_context(EglContext& egl, int32_t width, int32_t height, std::string& error);

// The map store on `egl`'s second pbuffer; empty without one. Valid while
// `egl` lives at the same address.
MapStore egl_map_store(const EglContext& egl);

// Presents the frame (nothing visible on a pbuffer).
void swap_egl_buffers(const EglContext& egl);

// Makes no context current and releases everything.
void destroy_egl_context(EglContext& egl);

// The picture as 8-bit RGB, rows from the top.
std::vector<uint8_t> read_rgb_pixels(const EglContext& egl);

// The same into `out`, whose storage is reused from frame to frame.
void read_rgb_pixels(const EglContext& egl, std::vector<uint8_t>& out);

} // namespace zintu
