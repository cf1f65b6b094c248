// The application behind the host callback table: its state, what it
// registers in the table, its initialisation, and the order of one frame
// (clock, map, vehicles, overlay, then one loading pass).
#pragma once

#include "app/platform.h"
#include "render/projection.h"
#include "sim/simulation.h"

#include <cstdint>

namespace zintu {

// Everything the application keeps between frames.
struct App {
    Simulation sim;
    ViewState view;
    PlatformServices platform;
};

// The process's one instance, used by the callbacks (they take no arguments).
// It starts with the network compiled into the program.
App& app();

// A host's first call: hands the platform's services to the application.
void start_app(PlatformServices platform);

// Fills the host callback table: on_init and on_frame; the other four slots
// stay empty.
void register_host_callbacks();

// The on_init callback: settings, GL state, projection and network list.
void init_view(int32_t width, int32_t height);

// The on_frame callback.
void frame_callback();

// The same two steps on an explicit instance; `downtown` comes from the
// settings the caller read.
void init_app_view(App& app, bool downtown, int32_t width, int32_t height);
void run_frame(App& app);

} // namespace zintu
