// Xlib side of the X11 host: connection, windows, cursor and events.
#include "host/x11_window.h"

#include "app/display_scale.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace zintu {
namespace {

constexpr int32_t kDesktopWidth = 1280;
constexpr int32_t kDesktopHeight = 800;
constexpr const char* kTitle = "Zintu";

// Xlib calls the handler from inside whichever request met the error; it may
// not make requests itself, so it only records the first error.
X11Error pending_error;

int collect_error(Display*, XErrorEvent* event) {
    if (!pending_error.any) {
        pending_error.any = true;
        pending_error.code = event->error_code;
        pending_error.resource = event->resourceid;
        pending_error.request = event->request_code;
        pending_error.minor = event->minor_code;
    }
    return 0;
}

// Xlib ends the process after this handler whatever it does; it only says why
// in one line instead of Xlib's several.
int lost_connection(Display*) {
    static const char message[] = "zintu: lost the connection to the display\n";
    [[maybe_unused]] const ssize_t written = write(2, message, sizeof message - 1);
    _exit(1);
}

// A property of 32-bit items (windows, atoms) as unsigned longs.
std::vector<unsigned long> long_property(Display* display, Window window, Atom property,
                                         Atom type) {
    std::vector<unsigned long> values;
    Atom actual_type = 0;
    int actual_format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actual_type,
                           &actual_format, &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (actual_type == type && actual_format == 32) {
            const auto* items = reinterpret_cast<const unsigned long*>(data);
            values.assign(items, items + count);
        }
        XFree(data);
    }
    return values;
}

// True when a running EWMH window manager offers full-screen windows.
bool wm_offers_fullscreen(X11Connection& x) {
    Display* d = x.display;
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True);
    const Atom supported = XInternAtom(d, "_NET_SUPPORTED", True);
    const Atom fullscreen = XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", True);
    if (check == None || supported == None || fullscreen == None) return false;
    const std::vector<unsigned long> wm = long_property(d, x.root, check, XA_WINDOW);
    if (wm.empty()) return false;
    // A window manager that has gone leaves a stale id behind: its check
    // window must name itself.
    const std::vector<unsigned long> self = long_property(d, wm[0], check, XA_WINDOW);
    XSync(d, False);
    take_x11_error();
    if (self.empty() || self[0] != wm[0]) return false;
    for (unsigned long atom : long_property(d, x.root, supported, XA_ATOM)) {
        if (atom == fullscreen) return true;
    }
    return false;
}

void set_names(Display* d, Window window) {
    XStoreName(d, window, kTitle);
    const Atom net_wm_name = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    XChangeProperty(d, window, net_wm_name, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(kTitle), 5);
    XClassHint class_hint;
    char name[] = "zintu";
    char class_name[] = "Zintu";
    class_hint.res_name = name;
    class_hint.res_class = class_name;
    XSetClassHint(d, window, &class_hint);
}

Cursor make_blank_cursor(Display* d, Window window) {
    static const char empty[1] = {0};
    const Pixmap bitmap = XCreateBitmapFromData(d, window, empty, 1, 1);
    XColor black{};
    const Cursor cursor = XCreatePixmapCursor(d, bitmap, bitmap, &black, &black, 0, 0);
    XFreePixmap(d, bitmap);
    return cursor;
}

std::string window_name(Window window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(window));
    return text;
}

} // namespace

bool open_x11(X11Connection& x, std::string& error) {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || name[0] == '\0') {
        error = "no display (DISPLAY is not set); 'zintu --snapshot FILE.png' draws without one";
        return false;
    }
    x.display = XOpenDisplay(nullptr);
    if (x.display == nullptr) {
        error = "cannot open display '" + std::string(name) + "'";
        return false;
    }
    XSetErrorHandler(collect_error);
    XSetIOErrorHandler(lost_connection);
    x.screen = DefaultScreen(x.display);
    x.root = RootWindow(x.display, x.screen);
    x.wm_protocols = XInternAtom(x.display, "WM_PROTOCOLS", False);
    x.wm_delete_window = XInternAtom(x.display, "WM_DELETE_WINDOW", False);
    return true;
}

void close_x11(X11Connection& x) {
    if (x.display != nullptr) XCloseDisplay(x.display);
    x = X11Connection{};
}

X11Error take_x11_error() {
    const X11Error error = pending_error;
    pending_error = X11Error{};
    return error;
}

std::string describe_x11_error(const X11Connection& x, const X11Error& error) {
    char text[256] = "";
    XGetErrorText(x.display, error.code, text, sizeof text);
    return "X error: " + std::string(text) + " (request " + std::to_string(error.request) + "." +
           std::to_string(error.minor) + ", resource " + window_name(error.resource) + ")";
}

bool create_own_window(X11Connection& x, Visual* visual, int depth, VisualID visual_id,
                       bool fullscreen, double scale, X11Surface& surface, std::string& error) {
    Display* d = x.display;
    surface = X11Surface{};
    surface.own = true;
    surface.fullscreen = fullscreen;
    surface.visual_id = visual_id;
    const PixelSize screen = {DisplayWidth(d, x.screen), DisplayHeight(d, x.screen)};
    const PixelSize desktop = scaled_window_size({kDesktopWidth, kDesktopHeight}, scale, screen);
    surface.width = fullscreen ? screen.width : desktop.width;
    surface.height = fullscreen ? screen.height : desktop.height;
    const bool wm_fullscreen = fullscreen && wm_offers_fullscreen(x);
    surface.override_redirect = fullscreen && !wm_fullscreen;

    surface.colormap = XCreateColormap(d, x.root, visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = surface.colormap;
    attributes.background_pixel = 0; // black, as the frames start
    attributes.border_pixel = 0;
    attributes.override_redirect = surface.override_redirect ? True : False;
    attributes.event_mask = KeyPressMask | ButtonPressMask | PointerMotionMask |
                            StructureNotifyMask | ExposureMask | VisibilityChangeMask;
    surface.window = XCreateWindow(
        d, x.root, 0, 0, static_cast<unsigned>(surface.width),
        static_cast<unsigned>(surface.height), 0, depth, InputOutput, visual,
        CWColormap | CWBackPixel | CWBorderPixel | CWOverrideRedirect | CWEventMask, &attributes);
    XSync(d, False);
    if (take_x11_error().any || surface.window == 0) {
        release_surface(x, surface);
        error = "cannot create a window on the display";
        return false;
    }

    set_names(d, surface.window);
    XSetWMProtocols(d, surface.window, &x.wm_delete_window, 1);
    if (wm_fullscreen) {
        const Atom state = XInternAtom(d, "_NET_WM_STATE", False);
        const Atom full = XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False);
        XChangeProperty(d, surface.window, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&full), 1);
    } else if (!fullscreen) {
        // The viewport keeps the size at creation, so the window keeps it too.
        XSizeHints* hints = XAllocSizeHints();
        hints->flags = PMinSize | PMaxSize;
        hints->min_width = hints->max_width = surface.width;
        hints->min_height = hints->max_height = surface.height;
        XSetWMNormalHints(d, surface.window, hints);
        XFree(hints);
    }
    if (fullscreen) {
        surface.blank_cursor = make_blank_cursor(d, surface.window);
        XDefineCursor(d, surface.window, surface.blank_cursor);
    }
    return true;
}

bool adopt_window(X11Connection& x, Window window, X11Surface& surface, std::string& error) {
    Display* d = x.display;
    surface = X11Surface{};
    surface.window = window != 0 ? window : x.root;
    XWindowAttributes attributes{};
    const Status found = XGetWindowAttributes(d, surface.window, &attributes);
    // Its destruction, and whether it can be seen, are watched for: the owner
    // keeps its input, and selecting button presses on the root window would
    // fail anyway.
    if (found) {
        XSelectInput(d, surface.window, StructureNotifyMask | ExposureMask | VisibilityChangeMask);
    }
    XSync(d, False);
    if (!found || take_x11_error().any) {
        error = "there is no window " + window_name(surface.window) + " on the display";
        return false;
    }
    if (attributes.c_class == InputOnly) {
        error = "the window " + window_name(surface.window) +
                " is an input-only window: nothing can be drawn into it";
        return false;
    }
    surface.width = attributes.width;
    surface.height = attributes.height;
    surface.visual_id = XVisualIDFromVisual(attributes.visual);
    return true;
}

void show_window(X11Connection& x, const X11Surface& surface) {
    if (!surface.own) return;
    XMapRaised(x.display, surface.window);
    XFlush(x.display);
}

ScreenPoint pointer_position(const X11Connection& x) {
    Window root = 0, child = 0;
    int root_x = 0, root_y = 0, win_x = 0, win_y = 0;
    unsigned int buttons = 0;
    XQueryPointer(x.display, x.root, &root, &child, &root_x, &root_y, &win_x, &win_y, &buttons);
    return {root_x, root_y};
}

SaverEvent handle_x11_event(X11Connection& x, const X11Surface& surface, const XEvent& event,
                            ScreenPoint& pointer) {
    switch (event.type) {
    case KeyPress:
        return SaverEvent::KeyDown;
    case ButtonPress:
        return SaverEvent::ButtonDown;
    case MotionNotify:
        // Where the pointer is now, not where the event says it was.
        pointer = pointer_position(x);
        return SaverEvent::PointerMoved;
    case ClientMessage:
        if (event.xclient.message_type == x.wm_protocols && event.xclient.format == 32 &&
            static_cast<Atom>(event.xclient.data.l[0]) == x.wm_delete_window) {
            return SaverEvent::CloseRequest;
        }
        return SaverEvent::Other;
    case DestroyNotify:
        return event.xdestroywindow.window == surface.window ? SaverEvent::WindowDestroyed
                                                             : SaverEvent::Other;
    case Expose:
        return event.xexpose.window == surface.window ? SaverEvent::Exposed : SaverEvent::Other;
    case VisibilityNotify:
        if (event.xvisibility.window != surface.window) return SaverEvent::Other;
        return event.xvisibility.state == VisibilityFullyObscured ? SaverEvent::Obscured
                                                                  : SaverEvent::Revealed;
    case MapNotify:
        // No window manager gives an override-redirect window the keyboard:
        // it takes it itself, so that any key reaches it.
        if (surface.override_redirect && event.xmap.window == surface.window) {
            XSetInputFocus(x.display, surface.window, RevertToParent, CurrentTime);
            XGrabKeyboard(x.display, surface.window, True, GrabModeAsync, GrabModeAsync,
                          CurrentTime);
        }
        return SaverEvent::Other;
    default:
        return SaverEvent::Other;
    }
}

void release_surface(X11Connection& x, X11Surface& surface) {
    if (surface.own) {
        if (surface.window != 0) XDestroyWindow(x.display, surface.window);
        if (surface.blank_cursor != 0) XFreeCursor(x.display, surface.blank_cursor);
        if (surface.colormap != 0) XFreeColormap(x.display, surface.colormap);
    }
    surface = X11Surface{};
}

} // namespace zintu
