// The monitors of the Windows saver's full-screen window, for the per-monitor
// layout: each monitor's rectangle and the window's client area, in
// virtual-screen pixels.
//
// Implements: win32_monitors. Leaves out: the layout itself
// (app/monitor_layout.h); each monitor's scale.
// Limits: read once, when the view initialises; monitors added or moved
// later keep the layout of the start. Depends on: user32.
#pragma once

#include "app/monitor_layout.h"

namespace zintu {

// The monitors the host's window covers and its client area; no monitors
// for a preview, which fills its parent's window whatever the monitors.
MonitorSet win32_monitors();

} // namespace zintu
