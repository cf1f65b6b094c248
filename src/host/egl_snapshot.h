// `zintu --snapshot`: the headless host. It runs the same host sequence as the
// window hosts on an offscreen EGL context of its own size and writes one
// frame as a PNG file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace zintu {

struct App;
struct EglContext;

struct SnapshotRequest {
    std::string path;
    int32_t width = 1280;
    int32_t height = 800;
    int64_t frame = 0;         // 0: the frame after loading is complete
    int64_t epoch_seconds = 0; // the clock's local time
    double scale = 0.0;        // the scale factor; 0: 1, as there is no display to ask
};

// Renders and writes the picture. Returns the exit status: 0, or 1 with a
// one-line reason on `err` when no GL context can be made or the file cannot
// be written.
int run_snapshot(const SnapshotRequest& request, std::FILE* err);

// What a headless view asks its platform for: the map store on `egl`, and
// the scale factor requested (there is no display to ask; 0 gives 1).
void use_headless_services(App& application, EglContext& egl, double requested_scale);

} // namespace zintu
