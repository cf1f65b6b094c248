// What the application needs from the platform it runs on: its settings, the
// overlay font, the time, the display's scale factor and, where the platform
// has them, a drawable beside the view where the map layer keeps its picture
// and the monitors the view's window covers. Each host fills this table with
// its own functions and hands it over with `start_app` before its window
// exists, so nothing below the host is bound to a platform at link time.
#pragma once

#include "app/monitor_layout.h"
#include "app/settings.h"
#include "render/font.h"
#include "render/map_store.h"
#include "sim/clock.h"

#include <functional>

namespace zintu {

struct PlatformServices {
    // The settings of this run, read once when the view initialises.
    std::function<Settings()> read_settings;
    // Builds the overlay font's glyph lists; called with the GL context current.
    MakeFont make_font = nullptr;
    // Where the clock reads the time.
    TimeSource time_source = system_time;
    // The store for the map layer's picture on the current GL context, asked
    // for when the view initialises; empty, or returning an empty store: the
    // network is drawn every frame.
    std::function<MapStore()> map_store = nullptr;
    // The display's scale factor for the view (see app/display_scale.h),
    // asked for when the view initialises, once the window exists; empty: 1.
    std::function<double()> display_scale = nullptr;
    // The monitors a full-screen window covers and that window, asked for
    // when the view initialises; empty (or no monitor named): the view fills
    // the window.
    std::function<MonitorSet()> monitors = nullptr;
};

} // namespace zintu
