// The frame sequence. A frame places only runs built by earlier frames: the
// loading pass comes last, after every reader of the frame has finished, so
// the overlay shows the loading state as it was before the frame's pass, and
// the run index catches up with the runs that pass built.
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
    init_app_view(a, settings.downtown, settings.colours, width, height);
}

void frame_callback() {
    run_frame(app());
}

void init_app_view(App& a, bool downtown, ColourScheme colours, int32_t width, int32_t height) {
    const double scale = a.platform.display_scale ? a.platform.display_scale() : 1.0;
    init_map_view(a.view, a.sim.network, downtown, a.platform.make_font, scale, width, height);
    a.palette = make_glyph_palette(a.sim.network, drawn_colours(colours, a.sim.network));
    start_map_cache(a.map_cache, a.platform.map_store ? a.platform.map_store() : MapStore{}, width,
                    height);
}

void resize_app_view(App& a, int32_t width, int32_t height) {
    set_projection(a.view, *a.sim.network.header, width, height);
    resize_map_cache(a.map_cache, width, height);
}

void run_frame(App& a) {
    Simulation& sim = a.sim;
    const NetworkHeader& header = *sim.network.header;
    update_clock(sim.clock, sim.speed_mode, a.platform.time_source, sim.zone);
    if (a.path == FramePath::Literal) {
        draw_map_layer(a.view, header);
        const GlyphPalette& palette = a.palette;
        begin_vehicle_batch();
        sim.vehicle_count =
            place_vehicles(sim.network, sim.loading.service_runs, sim.clock,
                           [&palette](float x, float y, float heading, int32_t shape_id) {
                               draw_vehicle_glyph(palette, x, y, heading, shape_id);
                           });
        end_vehicle_batch();
    } else {
        draw_cached_map_layer(a.view, a.map_cache, header);
        GlyphBatch& glyphs = a.glyphs;
        const GlyphPalette& palette = a.palette;
        clear_glyph_batch(glyphs);
        sim.vehicle_count =
            place_vehicles(sim.network, sim.loading.service_runs, sim.run_index, sim.clock,
                           [&glyphs, &palette](float x, float y, float heading, int32_t shape_id) {
                               add_vehicle_glyph(glyphs, palette, x, y, heading, shape_id);
                           });
        draw_glyph_batch(glyphs);
    }
    end_map_layer();
    draw_overlay(a.view.font_base,
                 {sim.clock.local_time, sim.vehicle_count, sim.loading.rows_processed,
                  header.frequency_count, sim.loading.loading_complete});
    if (a.path == FramePath::Literal) {
        // Without the index: an indexed walk still visits the runs it lacks,
        // and the next indexed pass adds them.
        loading_pass(sim.network, sim.loading);
    } else {
        run_loading_pass(sim);
    }
}

} // namespace zintu
