// Headless host: no window and no timer. Frames run back to back, each one a
// whole frame sequence followed by the (invisible) swap, until the requested
// frame; that frame's pixels are read before its swap.
#include "host/egl_snapshot.h"

#include "app/app.h"
#include "app/display_scale.h"
#include "app/host_sequence.h"
#include "host/egl_context.h"
#include "host/png_writer.h"

#include <vector>

namespace zintu {

void use_headless_services(App& application, EglContext& egl, double requested_scale) {
    application.platform.map_store = [&egl] { return egl_map_store(egl); };
    application.platform.display_scale = [requested_scale] {
        ScaleSources sources;
        sources.requested = requested_scale;
        return display_scale(sources);
    };
}

int run_snapshot(const SnapshotRequest& request, std::FILE* err) {
    App& application = app();
    const int64_t epoch = request.epoch_seconds;
    application.platform.time_source = [epoch] { return WallTime{epoch, 0}; };

    EglContext egl;
    use_headless_services(application, egl, request.scale);
    bool have_context = false;
    std::string error;
    host_created(register_host_callbacks, request.width, request.height, [&] {
        have_context = create_egl_context(egl, request.width, request.height, error);
    });
    if (!have_context) {
        std::fprintf(err, "zintu: %s\n", error.c_str());
        return 1;
    }

    std::vector<uint8_t> pixels;
    for (int64_t n = 1; pixels.empty(); ++n) {
        const bool last =
            request.frame > 0 ? n == request.frame : application.sim.loading.loading_complete;
        // After loading, the fast clock is set so that this frame shows the
        // requested time, as the real-time clock does on every frame.
        if (last && request.frame == 0 && application.sim.speed_mode == SpeedMode::Fast) {
            prime_fast_clock(application.sim.clock, epoch, application.sim.zone);
        }
        host_frame([&] {
            if (last) pixels = read_rgb_pixels(egl);
            swap_egl_buffers(egl);
        });
    }
    host_destroyed([&] { destroy_egl_context(egl); });
    application.platform.map_store = nullptr;
    application.platform.display_scale = nullptr;

    if (!write_png(request.path, request.width, request.height, pixels, error)) {
        std::fprintf(err, "zintu: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace zintu
