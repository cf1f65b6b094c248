// The frame sequence. A frame places only runs built by earlier frames: the
// loading pass comes last, after every reader of the frame has finished, so
// the overlay shows the loading state as it was before the frame's pass.
#include "app/app.h"

#include "app/host_callbacks.h"
#include "render/glyphs.h"
#include "render/map_view.h"
#include "render/overlay.h"
#include "sim/placement.h"

#include <utility>

namespace zintu {

App& app() {
    static App instance = [] {
        App a;
        use_network(a.sim, compiled_network());
        return a;
    }();
    return instance;
}

void start_app(PlatformServices platform) {
    app().platform = std::move(platform);
}

void register_host_callbacks() {
    host_callbacks.on_init = init_view;
    host_callbacks.on_frame = frame_callback;
}

void init_view(int32_t width, int32_t height) {
    App& a = app();
    const Settings settings = a.platform.read_settings ? a.platform.read_settings() : Settings{};
    a.sim.speed_mode = settings.speed_mode;
    init_app_view(a, settings.downtown, width, height);
}

void frame_callback() {
    run_frame(app());
}

void init_app_view(App& a, bool downtown, int32_t width, int32_t height) {
    init_map_view(a.view, a.sim.network, downtown, a.platform.make_font, width, height);
}

void run_frame(App& a) {
    Simulation& sim = a.sim;
    update_clock(sim.clock, sim.speed_mode, a.platform.time_source, sim.zone);
    draw_map_layer(a.view, *sim.network.header);
    begin_vehicle_batch();
    sim.vehicle_count =
        place_vehicles(sim.network, sim.loading.service_runs, sim.clock, draw_vehicle_glyph);
    end_vehicle_batch();
    end_map_layer();
    draw_overlay(a.view.font_base,
                 {sim.clock.local_time, sim.vehicle_count, sim.loading.rows_processed,
                  sim.network.header->frequency_count, sim.loading.loading_complete});
    loading_pass(sim.network, sim.loading);
}

} // namespace zintu
