// A guard against a GL driver's use of a failed window-size query.
//
// Implements: XGetGeometry, found by the dynamic linker before libX11's own
// (the program exports it), which calls libX11's and, when the query fails
// (the window is gone), answers the size the window drawn into had instead
// of leaving the caller's variables as they were.
// Why: Mesa's software GLX driver asks for the window's size at every frame
// and uses the answer without looking at the request's status, so a window
// destroyed by its owner at that moment left it with whatever its
// uninitialised variables held: it allocated back buffers of gigabytes for
// them, took seconds to end and once wrote past one. With a size it knows,
// the frame ends normally and the saver sees the window's end as usual.
// Limits: one window, the one drawn into; a failed query for any other
// drawable answers 0 by 0.
// Depends on: Xlib, the dynamic linker (dlsym with RTLD_NEXT).
#pragma once

#include <X11/Xlib.h>

namespace zintu {

// The window a failed XGetGeometry is answered for, with its size.
void answer_lost_geometry_with(Window window, int width, int height);

} // namespace zintu
