// The application's side of the window host: what it registers in the host
// callback table, its initialisation, and the order of one frame (clock, map,
// vehicles, overlay, then one loading pass).
#pragma once

#include "render/projection.h"
#include "sim/clock.h"
#include "sim/simulation.h"

#include <cstdint>

namespace zintu {

// Everything the application keeps between frames.
struct App {
    Simulation sim;
    ViewState view;
    TimeSource time_source = system_time;
};

// The process's one instance, used by the callbacks (they take no arguments).
App& app();

// The on_init callback: settings, GL state, projection and network list.
void init_view(int32_t width, int32_t height);

// The on_frame callback.
void frame_callback();

// The same two steps on an explicit instance; `downtown` comes from the
// settings the caller read.
void init_app_view(App& app, bool downtown, int32_t width, int32_t height);
void run_frame(App& app);

} // namespace zintu
