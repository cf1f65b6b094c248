// Test helper for the X11 end-to-end scripts: does on the test's own display
// what a screen-saver daemon or a window manager would do, and tells whether
// the pointer's cursor shows.
//
//   x11_probe window WxH [input-only]
//                             create and map a window, print its id, stay
//                             until killed (as XScreenSaver's window would)
//   x11_probe close ID        send ID a window manager's WM_DELETE_WINDOW
//   x11_probe cursor          "blank" when the pointer's cursor shows nothing
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

int usage() {
    std::fputs("usage: x11_probe window WxH [input-only] | close ID | cursor\n", stderr);
    return 2;
}

int error_code = 0;
int note_error(Display*, XErrorEvent* event) {
    error_code = event->error_code;
    return 0;
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
