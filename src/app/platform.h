// What the application needs from the platform it runs on: its settings, the
// overlay font and the time. Each host fills this table with its own
// functions and hands it over with `start_app` before its window exists, so
// nothing below the host is bound to a platform at link time.
#pragma once

#include "app/settings.h"
#include "render/font.h"
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
};

} // namespace zintu
