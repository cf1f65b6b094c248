// The frame sequence. A frame places only runs built by earlier frames: the
// loading pass comes last, after every reader of the frame has finished, so
// the overlay shows the loading state as it was before the frame's pass, and
// the run index catches up with the runs that pass built.
#include "app/app.h"

#include "app/host_callbacks.h"
#include "app/monitor_layout.h"
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
    const MonitorSet screens = a.platform.monitors ? a.platform.monitors() : MonitorSet{};
    if (!screens.monitors.empty()) {
        set_app_viewports(a, monitor_viewports(screens, settings.monitors));
    }
}

void frame_callback() {
    run_frame(app());
}

void init_app_view(App& a, bool downtown, ColourScheme colours, int32_t width, int32_t height) {
    const double scale = a.platform.display_scale ? a.platform.display_scale() : 1.0;
    init_map_view(a.view, a.sim.network, downtown, a.platform.make_font, scale, width, height);
    a.palette = make_glyph_palette(a.sim.network, drawn_colours(colours, a.sim.network));
    set_app_viewports(a, {{0, 0, width, height}});
}

namespace {

// True unless the one viewport starts at the drawable's origin, where the
// viewport set with the projection already stands and nothing else is drawn.
bool splits_drawable(const std::vector<Viewport>& viewports) {
    return viewports.size() != 1 || viewports[0].x != 0 || viewports[0].y != 0;
}

// The map, the vehicles and the overlay in the current viewport. The fast
// path's glyphs were gathered before the first viewport.
void draw_view(App& a, MapCache& cache) {
    Simulation& sim = a.sim;
    const NetworkHeader& header = *sim.network.header;
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
        draw_cached_map_layer(a.view, cache, header);
        draw_glyph_batch(a.glyphs);
    }
    end_map_layer();
    draw_overlay(a.view.font_base,
                 {sim.clock.local_time, sim.vehicle_count, sim.loading.rows_processed,
                  header.frequency_count, sim.loading.loading_complete});
}

} // namespace

void set_app_viewports(App& a, const std::vector<Viewport>& viewports) {
    if (viewports.empty()) return;
    const bool shared = splits_drawable(viewports);
    const MapStore store = a.platform.map_store ? a.platform.map_store() : MapStore{};
    a.viewports = viewports;
    a.map_caches.assign(viewports.size(), MapCache{});
    for (std::size_t i = 0; i < viewports.size(); ++i) {
        start_map_cache(a.map_caches[i], store, viewports[i].width, viewports[i].height);
        place_map_cache(a.map_caches[i], viewports[i], shared);
    }
}

void resize_app_view(App& a, int32_t width, int32_t height) {
    set_projection(a.view, *a.sim.network.header, width, height);
    a.viewports = {{0, 0, width, height}};
    a.map_caches.resize(1);
    place_map_cache(a.map_caches[0], a.viewports[0], false);
}

void run_frame(App& a) {
    Simulation& sim = a.sim;
    update_clock(sim.clock, sim.speed_mode, a.platform.time_source, sim.zone);
    if (a.path == FramePath::Fast) {
        // CPU work only: every viewport draws this one batch.
        GlyphBatch& glyphs = a.glyphs;
        const GlyphPalette& palette = a.palette;
        clear_glyph_batch(glyphs);
        sim.vehicle_count =
            place_vehicles(sim.network, sim.loading.service_runs, sim.run_index, sim.clock,
                           [&glyphs, &palette](float x, float y, float heading, int32_t shape_id) {
                               add_vehicle_glyph(glyphs, palette, x, y, heading, shape_id);
                           });
    }
    const bool split = splits_drawable(a.viewports);
    for (std::size_t i = 0; i < a.viewports.size(); ++i) {
        if (split) enter_viewport(a.viewports[i]);
        draw_view(a, a.map_caches[i]);
    }
    if (split) leave_viewports();
    if (a.path == FramePath::Literal) {
        // Without the index: an indexed walk still visits the runs it lacks,
        // and the next indexed pass adds them.
        loading_pass(sim.network, sim.loading);
    } else {
        run_loading_pass(sim);
    }
}

} // namespace zintu
