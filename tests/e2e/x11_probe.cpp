// Test helper for the X11 end-to-end scripts: does on the test's own display
// what a screen-saver daemon, a window manager or a user would do, and reads
// back what is on the screen.
//
//   x11_probe window WxH [input-only]
//                             create and map a window, print its id, stay
//                             until killed (as XScreenSaver's window would)
//   x11_probe destroy ID      destroy window ID (any client may)
//   x11_probe close ID        send ID the window manager's WM_DELETE_WINDOW
//   x11_probe colours ID|root count the pixels of the network's grey, of the
//                             vehicle glyphs' colours, white and the rest
//   x11_probe move X Y        warp the pointer to X,Y on the screen
//   x11_probe cursor          "blank" when the pointer's cursor shows nothing
#include "render/glyph_geometry.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <unistd.h>

namespace {

int usage() {
    std::fputs(
        "usage: x11_probe window WxH [input-only] | destroy ID | close ID | colours ID|root | "
        "move X Y | cursor\n",
        stderr);
    return 2;
}

int error_code = 0;
int note_error(Display*, XErrorEvent* event) {
    error_code = event->error_code;
    return 0;
}

Window parse_id(const char* text) {
    return static_cast<Window>(std::strtoul(text, nullptr, 0));
}

int make_window(Display* d, const char* size, bool input_only) {
    unsigned width = 0, height = 0;
    if (std::sscanf(size, "%ux%u", &width, &height) != 2 || width == 0 || height == 0)
        return usage();
    const int screen = DefaultScreen(d);
    XSetWindowAttributes none{};
    const Window w = input_only
                         ? XCreateWindow(d, RootWindow(d, screen), 10, 10, width, height, 0, 0,
                                         InputOnly, CopyFromParent, 0, &none)
                         : XCreateSimpleWindow(d, RootWindow(d, screen), 10, 10, width, height, 0,
                                               BlackPixel(d, screen), BlackPixel(d, screen));
    XStoreName(d, w, "x11_probe");
    XSelectInput(d, w, StructureNotifyMask);
    XMapWindow(d, w);
    for (;;) {
        XEvent event;
        XNextEvent(d, &event);
        if (event.type == MapNotify) break;
    }
    std::printf("%lu\n", static_cast<unsigned long>(w));
    std::fflush(stdout);
    for (;;)
        pause();
}

int colours(Display* d, const char* which) {
    const Window root = DefaultRootWindow(d);
    const Window w = std::strcmp(which, "root") == 0 ? root : parse_id(which);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, w, &attributes)) return 1;
    // Read through the root window, clipped to the screen: a window a window
    // manager placed partly off the screen cannot be read directly.
    int x0 = 0, y0 = 0;
    Window child;
    XTranslateCoordinates(d, w, root, 0, 0, &x0, &y0, &child);
    const int x1 = std::min(x0 + attributes.width, DisplayWidth(d, DefaultScreen(d)));
    const int y1 = std::min(y0 + attributes.height, DisplayHeight(d, DefaultScreen(d)));
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    if (x1 <= x0 || y1 <= y0) return 1;
    XImage* image = XGetImage(d, root, x0, y0, static_cast<unsigned>(x1 - x0),
                              static_cast<unsigned>(y1 - y0), AllPlanes, ZPixmap);
    if (image == nullptr) return 1;
    // The glyph colours as the renderer computes them, 8 bits a channel.
    std::set<unsigned long> glyph_colours;
    for (int shape = 1; shape <= 9; ++shape) {
        const zintu::GlyphStyle& s = zintu::glyph_style(shape);
        const auto channel = [](float v) {
            return static_cast<unsigned long>(std::lround(v * 255));
        };
        glyph_colours.insert(channel(s.red) << 16 | channel(s.green) << 8 | channel(s.blue));
    }
    const auto shift_of = [](unsigned long mask) {
        int shift = 0;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
        return shift;
    };
    const int rs = shift_of(image->red_mask), gs = shift_of(image->green_mask),
              bs = shift_of(image->blue_mask);
    long network = 0, glyphs = 0, white = 0, other = 0;
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const unsigned long r = (p & image->red_mask) >> rs, g = (p & image->green_mask) >> gs,
                                b = (p & image->blue_mask) >> bs;
            if (r == 255 && g == 255 && b == 255) {
                ++white;
            } else if (r == g && g == b && r >= 200) {
                ++network;
            } else if (glyph_colours.count(r << 16 | g << 8 | b) != 0) {
                ++glyphs;
            } else {
                ++other;
            }
        }
    }
    XDestroyImage(image);
    std::printf("network %ld\nglyphs %ld\nwhite %ld\nother %ld\n", network, glyphs, white, other);
    return 0;
}

int cursor(Display* d) {
    int event_base = 0, error_base = 0;
    if (!XFixesQueryExtension(d, &event_base, &error_base)) return 1;
    XFixesCursorImage* image = XFixesGetCursorImage(d);
    if (image == nullptr) return 1;
    bool blank = true;
    for (int i = 0; i < image->width * image->height; ++i) {
        if ((image->pixels[i] >> 24) != 0) blank = false; // ARGB: any alpha shows
    }
    XFree(image);
    std::puts(blank ? "blank" : "visible");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fputs("x11_probe: cannot open the display\n", stderr);
        return 1;
    }
    XSetErrorHandler(note_error);
    const std::string command = argv[1];
    int status;
    if (command == "window" &&
        (argc == 3 || (argc == 4 && std::strcmp(argv[3], "input-only") == 0))) {
        status = make_window(d, argv[2], argc == 4);
    } else if (command == "destroy" && argc == 3) {
        XDestroyWindow(d, parse_id(argv[2]));
        status = 0;
    } else if (command == "close" && argc == 3) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = parse_id(argv[2]);
        event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, event.xclient.window, False, NoEventMask, &event);
        status = 0;
    } else if (command == "colours" && argc == 3) {
        status = colours(d, argv[2]);
    } else if (command == "move" && argc == 4) {
        XWarpPointer(d, None, DefaultRootWindow(d), 0, 0, 0, 0, std::atoi(argv[2]),
                     std::atoi(argv[3]));
        status = 0;
    } else if (command == "cursor" && argc == 2) {
        status = cursor(d);
    } else {
        status = usage();
    }
    XSync(d, False);
    if (status == 0 && error_code != 0) status = 1;
    XCloseDisplay(d);
    return status;
}
