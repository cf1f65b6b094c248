// Plays a saver daemon or window manager for the X11 end-to-end scripts:
//   x11_probe window [input-only]   map a window, print its id, stay until killed
//   x11_probe close ID              send ID a manager's WM_DELETE_WINDOW
//   x11_probe cursor                "blank" when the pointer's cursor shows nothing
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

[[noreturn]] void make_window(Display* d, bool input_only) {
    XSetWindowAttributes attributes{};
    const Window w =
        XCreateWindow(d, DefaultRootWindow(d), 10, 10, 640, 400, 0, CopyFromParent,
                      input_only ? InputOnly : InputOutput, CopyFromParent, 0, &attributes);
    XSelectInput(d, w, StructureNotifyMask);
    XMapWindow(d, w);
    for (XEvent event; XNextEvent(d, &event), event.type != MapNotify;) {
    }
    std::printf("%lu\n", static_cast<unsigned long>(w));
    std::fflush(stdout);
    for (;;)
        pause();
}

void send_close(Display* d, Window w) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = w;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &event);
}

bool cursor_blank(Display* d) {
    XFixesCursorImage* image = XFixesGetCursorImage(d);
    bool blank = true;
    for (int i = 0; image != nullptr && i < image->width * image->height; ++i) {
        if ((image->pixels[i] >> 24) != 0) blank = false; // ARGB: any alpha shows
    }
    if (image) XFree(image);
    return blank;
}

} // namespace

int main(int argc, char** argv) {
    Display* d = XOpenDisplay(nullptr);
    const std::string command = argc >= 2 ? argv[1] : "";
    int status = 0;
    if (d == nullptr) {
        std::fputs("x11_probe: cannot open the display\n", stderr);
        return 1;
    } else if (command == "window") {
        make_window(d, argc == 3 && std::string(argv[2]) == "input-only");
    } else if (command == "close" && argc == 3) {
        send_close(d, std::strtoul(argv[2], nullptr, 0));
    } else if (command == "cursor") {
        std::puts(cursor_blank(d) ? "blank" : "visible");
    } else {
        std::fputs("usage: x11_probe window [input-only] | close ID | cursor\n", stderr);
        status = 2;
    }
    XCloseDisplay(d);
    return status;
}
