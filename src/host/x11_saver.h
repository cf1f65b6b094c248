// The X11 host's run: `zintu`, `zintu --fullscreen` and the XScreenSaver
// modes (-root, -window-id, XSCREENSAVER_WINDOW).
//
// Implements: the host sequence (register, client size, context, on_init,
// frame timer; frames; timer stop, on_destroy, context release) around one
// window; a 10 ms frame timer driven by poll() on the X connection and the
// signal pipe, without busy-waiting, where a late tick comes at once and
// only once; the closing rules (input closes only the saver's own windows;
// the drawn-into window's destruction ends every mode with status 0, quietly,
// at once, whatever the saver is doing; SIGTERM, SIGINT and SIGHUP end it, after
// the context is released, by the signal's default action, as a screen-saver
// daemon expects of the hacks it stops).
// Leaves out: password checks (the screen locker's job on X11), a preview
// mode of its own (XScreenSaver's preview is -window-id), closing when the
// window loses the focus.
// Limits: ZINTU_FRAME_STATS=1 in the environment prints the frame count, the
// rate and how far the clock advanced on standard error at the end, and
// ZINTU_FRAME_PATH=literal makes the frames the literal way (every run walked,
// the network drawn every frame), for measurements.
// Depends on: x11_window (Xlib), glx_context (GLX), linux_signals.
#pragma once

#include "host/linux_options.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace zintu {

// Runs the window mode of `options` to its end and returns the exit status:
// 0 when closed as intended, 1 with a one-line reason on `err` when there is
// no display, no usable OpenGL, no such window (or one nothing can be drawn
// into) or an unexpected X error. The clock starts at `start_at` (seconds
// since the epoch) when it is given. Does not return when a signal ends it.
int run_x11_saver(const Options& options, std::optional<int64_t> start_at, std::FILE* err);

} // namespace zintu
