// The Linux saver's decisions, kept free of X11 so they are tested without a
// display: which window to draw into, when input closes the saver, when the
// next frame timer tick is due, and which X errors mean the window is gone.
#pragma once

#include "app/saver_rules.h"
#include "host/linux_options.h"

#include <cstdint>
#include <string>

namespace zintu {

// ---- Where to draw ----

struct SaverTarget {
    WindowTarget kind = WindowTarget::Desktop;
    // Root: the virtual root from XSCREENSAVER_WINDOW, or 0 for the real
    // root. WindowId: the window. Otherwise 0.
    uint32_t window_id = 0;
    std::string error; // one line; non-empty when the environment is bad
};

// The target of the command line's window mode, given the value of
// XSCREENSAVER_WINDOW (null when unset). --window-id wins; --root and no mode
// at all take XSCREENSAVER_WINDOW when it is set; --fullscreen ignores it.
SaverTarget choose_saver_target(WindowTarget requested, uint32_t window_id,
                                const char* xscreensaver_window);

// True for a target the saver creates itself; input closes only those. A
// window that was handed over (root, XScreenSaver's, --window-id) belongs to
// its owner, which decides when the saver ends.
bool owns_window(WindowTarget kind);

// ---- Input ----

// (Named apart from Xlib's event macros, which would replace KeyPress.)
enum class SaverEvent {
    KeyDown,
    ButtonDown,
    PointerMoved,    // with the pointer's screen position
    CloseRequest,    // the window manager's WM_DELETE_WINDOW
    WindowDestroyed, // the window drawn into is gone
    Signal,          // SIGTERM, SIGINT or SIGHUP
    Exposed,         // part of the window must be drawn again
    Obscured,        // the window is wholly covered: nothing drawn can be seen
    Revealed,        // some of it can be seen again
    Other,
};

// Whether one event ends the saver. Input ends it only in a window of its
// own; a destroyed window and a signal end it always.
bool saver_event_closes(SaverEvent event, bool own_window, ScreenPoint saved_cursor_pos,
                        ScreenPoint pointer);

// ---- Frame timer ----

// The frame timer's ticks lie on a grid `period` apart, starting from the
// first deadline. After a tick due at `deadline` ran at `fired` (its start,
// not before the deadline), the next tick is the first grid point after
// `fired`: a tick missed while a frame ran late comes at once, and however
// many were missed, only one comes.
int64_t next_frame_deadline(int64_t deadline, int64_t fired, int64_t period);

// ---- X errors ----

// Core protocol error codes, and the GLX ones as offsets from the
// extension's first error code.
inline constexpr int kXBadWindow = 3;
inline constexpr int kXBadDrawable = 9;
inline constexpr int kGlxBadDrawable = 2;
inline constexpr int kGlxBadCurrentWindow = 5;
inline constexpr int kGlxBadCurrentDrawable = 11;
inline constexpr int kGlxBadWindow = 12;

// True for an error that a request on a destroyed window (or its GLX
// drawable) gets; `glx_error_base` is negative without GLX.
bool is_lost_window_error(int error_code, int glx_error_base);

} // namespace zintu
