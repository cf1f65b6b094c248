// The application behind the host callback table: its state, what it
// registers in the table, its initialisation, and the order of one frame
// (clock, map, vehicles, overlay, then one loading pass).
#pragma once

#include "app/platform.h"
#include "render/glyphs.h"
#include "render/map_cache.h"
#include "render/projection.h"
#include "sim/simulation.h"

#include <cstdint>
#include <vector>

namespace zintu {

// How frames are made. Both give the same pictures and the same vehicles in
// the same order. Literal is the frame as first written: it walks every run
// of the three service days, clears colour and depth and draws the network
// anew each frame, and emits the glyphs in immediate mode. Fast walks the run
// index, restores the cached network layer and draws the glyphs from one
// array. Tests and benchmarks compare the two.
enum class FramePath : uint8_t { Fast, Literal };

// Everything the application keeps between frames.
struct App {
    Simulation sim;
    ViewState view;
    PlatformServices platform;
    FramePath path = FramePath::Fast;
    // Where the map is drawn: the whole drawable, or one viewport per
    // monitor, each showing the whole map; each has its own network layer,
    // kept in the platform's map store.
    std::vector<Viewport> viewports{Viewport{}};
    std::vector<MapCache> map_caches{MapCache{}};
    GlyphBatch glyphs;    // the frame's glyphs, storage kept between frames
    GlyphPalette palette; // each shape's glyph style, made when the view initialises
};

// The process's one instance, used by the callbacks (they take no arguments).
// It starts with the network compiled into the program.
App& app();

// A host's first call: hands the platform's services to the application.
void start_app(PlatformServices platform);

// Fills the host callback table: on_init and on_frame; the other four slots
// stay empty.
void register_host_callbacks();

// The on_init callback: settings, GL state, projection, network list and the
// glyph palette, sized for the platform's display scale; then, where the
// platform names the monitors the window covers, their viewports for the
// monitor layout setting.
void init_view(int32_t width, int32_t height);

// The on_frame callback.
void frame_callback();

// The same two steps on an explicit instance; `downtown` and `colours` come
// from the settings the caller read.
void init_app_view(App& app, bool downtown, ColourScheme colours, int32_t width, int32_t height);
void run_frame(App& app);

// Draws every frame into `viewports` of the drawable (none: no change),
// each with a network layer of its own. Frames then run in this order: the
// clock, the map, vehicles and overlay of each viewport in turn, the loading
// pass; the vehicles are placed once for all of them.
void set_app_viewports(App& app, const std::vector<Viewport>& viewports);

// A new viewport size for the same context (no host resizes its view today):
// the projection for it, one viewport over the drawable, and the cached
// network layer taken anew.
void resize_app_view(App& app, int32_t width, int32_t height);

} // namespace zintu
