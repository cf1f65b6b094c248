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
#include "sim/vehicle_speed.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

namespace zintu {
namespace {

double glyph_reach(const GlyphPalette& palette) {
    double reach = 0.0;
    for (const GlyphStyle& style : palette.styles)
        reach = std::max(reach, style.half_length + style.half_width);
    return reach;
}

int64_t steady_millis() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

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
    host_callbacks.frame_delay = frame_delay;
}

void init_view(int32_t width, int32_t height) {
    App& a = app();
    const Settings settings = a.platform.read_settings ? a.platform.read_settings() : Settings{};
    a.sim.speed_mode = settings.speed_mode;
    a.pacing.pace = settings.pace;
    init_app_view(a, settings.downtown, settings.colours, width, height);
    const MonitorSet screens = a.platform.monitors ? a.platform.monitors() : MonitorSet{};
    if (!screens.monitors.empty()) {
        set_app_viewports(a, monitor_viewports(screens, settings.monitors));
    }
}

void frame_callback() {
    run_frame(app());
}

uint32_t frame_delay() {
    return app_frame_delay(app());
}

void init_app_view(App& a, bool downtown, ColourScheme colours, int32_t width, int32_t height) {
    const double scale = a.platform.display_scale ? a.platform.display_scale() : 1.0;
    init_map_view(a.view, a.sim.network, downtown, a.platform.make_font, scale, width, height);
    a.palette = make_glyph_palette(a.sim.network, drawn_colours(colours, a.sim.network));
    a.pacing.map_factors = shape_map_factors(a.sim.network);
    a.pacing.glyph_reach = glyph_reach(a.palette);
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
    if (a.pacing.show_fps) {
        char line[32];
        std::snprintf(line, sizeof line, "FPS: %.1f", frames_per_second(a.pacing.frames));
        draw_corner_line(a.view.font_base, line);
    }
}

} // namespace

void set_app_viewports(App& a, const std::vector<Viewport>& viewports) {
    if (viewports.empty()) return;
    const bool shared = splits_drawable(viewports);
    const MapStore store = a.platform.map_store ? a.platform.map_store() : MapStore{};
    a.viewports = viewports;
    a.pacing.speed_until = -1;
    a.map_caches.assign(viewports.size(), MapCache{});
    for (std::size_t i = 0; i < viewports.size(); ++i) {
        start_map_cache(a.map_caches[i], store, viewports[i].width, viewports[i].height);
        place_map_cache(a.map_caches[i], viewports[i], shared);
    }
}

void resize_app_view(App& a, int32_t width, int32_t height) {
    set_projection(a.view, *a.sim.network.header, width, height);
    a.viewports = {{0, 0, width, height}};
    a.pacing.speed_until = -1;
    a.map_caches.resize(1);
    place_map_cache(a.map_caches[0], a.viewports[0], false);
}

void run_frame(App& a) {
    Simulation& sim = a.sim;
    update_clock(sim.clock, sim.speed_mode, a.platform.time_source, sim.zone);
    if (a.pacing.show_fps) note_frame(a.pacing.frames, steady_millis());
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

double fastest_on_screen(const App& a, double horizon) {
    const Simulation& sim = a.sim;
    const NetworkHeader& header = *sim.network.header;
    const FramePacing& pacing = a.pacing;
    // Every viewport shows the whole map: the largest scale bounds them all.
    double pixels_per_unit = 0.0;
    for (const Viewport& v : a.viewports)
        pixels_per_unit =
            std::max(pixels_per_unit, pixels_per_map_unit(header, a.view, v.width, v.height));
    const double fastest = fastest_vehicle(
        sim.network, sim.loading.service_runs, sim.run_index, sim.clock, pacing.map_factors,
        horizon, [&](const Run& run, int32_t offset, double speed) {
            Vehicle vehicle;
            if (!place_run(sim.network, run, offset, sim.clock.seconds, vehicle)) return false;
            // Off screen by more than its glyph and its way until the next
            // frame, it cannot change the picture.
            const double reach = (pacing.glyph_reach + speed * horizon) * pixels_per_unit;
            return std::any_of(a.viewports.begin(), a.viewports.end(), [&](const Viewport& v) {
                const ViewportPoint p =
                    map_to_viewport(header, a.view, vehicle.x, vehicle.y, v.width, v.height);
                return p.x >= -reach && p.x <= v.width + reach && p.y >= -reach &&
                       p.y <= v.height + reach;
            });
        });
    return fastest * pixels_per_unit;
}

uint32_t app_frame_delay(App& a) {
    PaceInput input;
    input.pace = a.pacing.pace;
    input.speed_mode = a.sim.speed_mode;
    input.loading_complete = a.sim.loading.loading_complete;
    if (every_tick(input)) return next_frame_delay(input);
    // The time read anew: the frame took a while, and the delay counts from now.
    const WallTime now = a.platform.time_source ? a.platform.time_source() : system_time();
    input.millis_since_frame = millis_between(a.sim.clock.reading, now);
    input.millis_to_next_second = 1000 - std::min<int32_t>(now.millis, 999);
    // The runs on the road change only at whole seconds, and a vehicle's
    // bound over a span holds over any part of it: one walk a second.
    FramePacing& pacing = a.pacing;
    if (pacing.speed_until != now.seconds) {
        const double horizon = (input.millis_since_frame + input.millis_to_next_second) / 1000.0;
        pacing.speed = fastest_on_screen(a, horizon);
        pacing.speed_until = now.seconds;
    }
    input.fastest_pixels_per_second = pacing.speed;
    return next_frame_delay(input);
}

} // namespace zintu
