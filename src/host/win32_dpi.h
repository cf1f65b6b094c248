// The display's scale factor on Windows.
//
// Implements: the DPI of the host's window (GetDpiForWindow, per monitor
// under the manifest's per-monitor awareness), or, where the system lacks
// that call (before Windows 10 1607), the screen's DPI from its device
// context; the factor is that DPI over 96, by app/display_scale's rule.
// Leaves out: WM_DPICHANGED: the saver's windows never move between
// monitors (a full-screen window or a preview inside its parent), so the
// factor is read once, as the view is made.
// Depends on: user32 (GetDpiForWindow looked up at run time), gdi32.
#pragma once

namespace zintu {

// The factor for win32.host.host_window; the saver's platform services hand
// it to the application.
double win32_display_scale();

} // namespace zintu
