// Test helper for the X11 end-to-end scripts: does on the test's own display
// what a screen-saver daemon would do, and reads back what is on the screen.
//
//   x11_probe window WxH [input-only|single-buffered]
//                             create and map a window, print its id, stay
//                             until killed (as XScreenSaver's window would);
//                             single-buffered: on a visual whose OpenGL
//                             configurations are all single-buffered
//   x11_probe destroy ID      destroy window ID (any client may)
//   x11_probe close ID        send ID a window manager's WM_DELETE_WINDOW
//   x11_probe colours ID|root count the pixels of the network's light grey,
//                             of colours (the vehicles), white and the rest
//   x11_probe cursor          "blank" when the pointer's cursor shows nothing
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

int usage() {
    std::fputs("usage: x11_probe window WxH [input-only|single-buffered] | destroy ID | "
               "close ID | colours ID|root | cursor\n",
               stderr);
    return 2;
}

int error_code = 0;
int note_error(Display*, XErrorEvent* event) {
    error_code = event->error_code;
    return 0;
}

// A window configuration's visual that no double-buffered one shares.
XVisualInfo* single_buffered_visual(Display* d) {
    int count = 0;
    GLXFBConfig* configs = glXGetFBConfigs(d, DefaultScreen(d), &count);
    std::set<int> doubled;
    std::vector<std::pair<int, GLXFBConfig>> single;
    for (int i = 0; i < count; ++i) {
        int visual = 0, double_buffer = 0, drawable = 0;
        glXGetFBConfigAttrib(d, configs[i], GLX_VISUAL_ID, &visual);
        glXGetFBConfigAttrib(d, configs[i], GLX_DOUBLEBUFFER, &double_buffer);
        glXGetFBConfigAttrib(d, configs[i], GLX_DRAWABLE_TYPE, &drawable);
        if (visual == 0 || !(drawable & GLX_WINDOW_BIT)) continue;
        if (double_buffer)
            doubled.insert(visual);
        else
            single.emplace_back(visual, configs[i]);
    }
    for (const auto& [visual, config] : single) {
        if (doubled.count(visual) == 0) return glXGetVisualFromFBConfig(d, config);
    }
    return nullptr;
}

int make_window(Display* d, const char* size, const std::string& kind) {
    unsigned width = 0, height = 0;
    if (std::sscanf(size, "%ux%u", &width, &height) != 2 || width == 0 || height == 0)
        return usage();
    const Window root = DefaultRootWindow(d);
    XSetWindowAttributes attributes{};
    Window w;
    if (kind == "input-only") {
        w = XCreateWindow(d, root, 10, 10, width, height, 0, 0, InputOnly, CopyFromParent, 0,
                          &attributes);
    } else if (kind == "single-buffered") {
        const XVisualInfo* info = single_buffered_visual(d);
        if (info == nullptr) {
            std::fputs("x11_probe: every visual has a double-buffered configuration\n", stderr);
            return 1;
        }
        attributes.colormap = XCreateColormap(d, root, info->visual, AllocNone);
        w = XCreateWindow(d, root, 10, 10, width, height, 0, info->depth, InputOutput, info->visual,
                          CWColormap | CWBorderPixel, &attributes);
    } else if (kind.empty()) {
        w = XCreateSimpleWindow(d, root, 10, 10, width, height, 0, 0, 0);
    } else {
        return usage();
    }
    XStoreName(d, w, "x11_probe");
    XSelectInput(d, w, StructureNotifyMask);
    XMapWindow(d, w);
    for (XEvent event; XNextEvent(d, &event), event.type != MapNotify;) {
    }
    std::printf("%lu\n", static_cast<unsigned long>(w));
    std::fflush(stdout);
    for (;;)
        pause();
}

int colours(Display* d, const char* which) {
    const Window root = DefaultRootWindow(d);
    const Window w = std::strcmp(which, "root") == 0 ? root : std::strtoul(which, nullptr, 0);
    XWindowAttributes a;
    int x = 0, y = 0;
    Window child;
    // Read through the root window, clipped to the screen: a window a window
    // manager placed partly off the screen cannot be read directly.
    if (!XGetWindowAttributes(d, w, &a) || !XTranslateCoordinates(d, w, root, 0, 0, &x, &y, &child))
        return 1;
    const int right = std::min(x + a.width, DisplayWidth(d, DefaultScreen(d)));
    const int bottom = std::min(y + a.height, DisplayHeight(d, DefaultScreen(d)));
    x = std::max(x, 0);
    y = std::max(y, 0);
    XImage* image = right > x && bottom > y
                        ? XGetImage(d, root, x, y, static_cast<unsigned>(right - x),
                                    static_cast<unsigned>(bottom - y), AllPlanes, ZPixmap)
                        : nullptr;
    if (image == nullptr) return 1;
    // A 24-bit TrueColor screen: the vehicles are the only pixels whose
    // channels differ (the map is white and grey, the text dark).
    long network = 0, glyphs = 0, white = 0, other = 0;
    for (int row = 0; row < image->height; ++row) {
        for (int column = 0; column < image->width; ++column) {
            const unsigned long p = XGetPixel(image, column, row);
            const unsigned long r = p >> 16 & 0xff, g = p >> 8 & 0xff, b = p & 0xff;
            ++(r != g || g != b ? glyphs : r == 255 ? white : r >= 200 ? network : other);
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
    if (command == "window" && (argc == 3 || argc == 4)) {
        status = make_window(d, argv[2], argc == 4 ? argv[3] : "");
    } else if (command == "destroy" && argc == 3) {
        XDestroyWindow(d, std::strtoul(argv[2], nullptr, 0));
        status = 0;
    } else if (command == "close" && argc == 3) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = std::strtoul(argv[2], nullptr, 0);
        event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, event.xclient.window, False, NoEventMask, &event);
        status = 0;
    } else if (command == "colours" && argc == 3) {
        status = colours(d, argv[2]);
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
