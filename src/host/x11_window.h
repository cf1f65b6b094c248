// Window and events of the X11 host (Xlib).
//
// Implements: the display connection with quiet error handlers; the saver's
// own windows (a 1280x800 desktop window titled "Zintu", or a full-screen
// one: _NET_WM_STATE_FULLSCREEN under a window manager that offers it, else
// an override-redirect window at the root's size that takes the keyboard,
// both with an invisible cursor); adopting a window that exists already (the
// root, XScreenSaver's, or --window-id) at its size and visual, watching for
// its destruction, exposure and visibility; the pointer position; events
// translated into the saver's events.
// Leaves out: size changes (the viewport keeps the size at creation),
// multiple screens (the default screen only), input methods.
// Limits: one window per process; X errors are collected, never printed by
// Xlib, and the caller decides what each means. Once a GL context was made,
// the connection is never closed: it goes with the process, as the GL driver
// it loaded does.
// Depends on: Xlib.
#pragma once

#include "host/linux_saver_rules.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <string>

namespace zintu {

struct X11Connection {
    Display* display = nullptr;
    int screen = 0;
    Window root = 0;
    Atom wm_protocols = 0;
    Atom wm_delete_window = 0;
};

struct X11Surface {
    Window window = 0;
    bool own = false;        // created here, so input closes it
    bool fullscreen = false; // own and covering the screen
    bool override_redirect = false;
    int32_t width = 0;
    int32_t height = 0;
    VisualID visual_id = 0;
    Colormap colormap = 0;
    Cursor blank_cursor = 0;
};

// The first X error since the last call, if any.
struct X11Error {
    bool any = false;
    int code = 0;
    XID resource = 0;
    int request = 0;
    int minor = 0;
};

// Connects to $DISPLAY and installs the error handlers. On failure returns
// false with a one-line reason.
bool open_x11(X11Connection& x, std::string& error);

// Closes the connection: for a run that fails before any GL context exists.
void close_x11(X11Connection& x);

// Takes the first error the handler collected since the last call.
X11Error take_x11_error();

// A one-line description of `error`.
std::string describe_x11_error(const X11Connection& x, const X11Error& error);

// Creates the saver's own window on `visual` (not yet shown): the screen, or
// a 1280x800 window at the display's `scale` (within the screen).
bool create_own_window(X11Connection& x, Visual* visual, int depth, VisualID visual_id,
                       bool fullscreen, double scale, X11Surface& surface, std::string& error);

// Takes over `window` (0: the root window) for drawing. On failure (no such
// window, or an input-only one) returns false with a one-line reason.
bool adopt_window(X11Connection& x, Window window, X11Surface& surface, std::string& error);

// Maps an own window; no-op for an adopted one.
void show_window(X11Connection& x, const X11Surface& surface);

// The pointer's position on the screen.
ScreenPoint pointer_position(const X11Connection& x);

// What `event` means to the saver; a pointer motion comes with the pointer's
// current screen position in `pointer`. Also gives a full-screen window the
// keyboard once it is mapped.
SaverEvent handle_x11_event(X11Connection& x, const X11Surface& surface, const XEvent& event,
                            ScreenPoint& pointer);

// Destroys what create_own_window made; leaves an adopted window alone.
void release_surface(X11Connection& x, X11Surface& surface);

} // namespace zintu
