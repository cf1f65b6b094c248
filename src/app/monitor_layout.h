// Where a full-screen window over several monitors draws its maps: a whole
// map fitted to each monitor, or one map across the window. A pure function
// from the monitors' rectangles to viewports in the window, so every layout
// is tested without a display; the Windows host supplies the rectangles.
#pragma once

#include "app/settings.h"
#include "render/projection.h"

#include <cstdint>
#include <vector>

namespace zintu {

// A rectangle of the virtual screen in pixels: y grows downward, the right
// and bottom edges lie just outside it. The virtual screen's origin is the
// primary monitor's top left corner, so others may lie at negative x or y.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The window a host draws into and the monitors it covers, all in
// virtual-screen pixels.
struct MonitorSet {
    ScreenRect window; // the window's client area
    std::vector<ScreenRect> monitors;
};

// The viewports for `layout`, in the window's client coordinates with GL's
// origin at the lower left. Span, or no monitor within the window: one
// viewport over the whole window. Each: one per monitor, clipped to the
// window; a monitor that lies within another one (a mirrored display) shows
// that one's map and gets none of its own.
std::vector<Viewport> monitor_viewports(const MonitorSet& screens, MonitorLayout layout);

} // namespace zintu
