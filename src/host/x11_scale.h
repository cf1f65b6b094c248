// The display's scale factor on X11.
//
// Implements: reading the factor's sources for a window: Xft.dpi from the
// screen's resource database (as xrdb and desktop settings daemons set it),
// and the physical size of the monitor under the window's centre from
// XRandR's monitor list (the primary or first monitor when none holds it;
// the core screen's size without RandR 1.5). The rule that picks among them
// is app/display_scale's.
// Leaves out: following the window to another monitor, or a changed
// setting, while it runs: the factor is read once, as the view is made.
// Limits: a monitor reports its size as its EDID gives it; the rule ignores
// the sizes it knows for bogus.
// Depends on: Xlib (its resource manager), libXrandr.
#pragma once

#include <X11/Xlib.h>

namespace zintu {

// The factor for drawing into `window`: `requested` when above 0, else what
// the display says, else 1.
double x11_display_scale(Display* display, Window window, double requested);

} // namespace zintu
