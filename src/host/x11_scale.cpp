// Reading the display's scale sources on X11.
#include "host/x11_scale.h"

#include "app/display_scale.h"

#include <X11/Xresource.h>
#include <X11/extensions/Xrandr.h>

namespace zintu {
namespace {

// Xft.dpi as the display's resource database (RESOURCE_MANAGER) gives it; the
// database's own matching applies, so "Xft*dpi" counts as well.
std::optional<double> resource_dpi(Display* display) {
    const char* resources = XResourceManagerString(display);
    if (resources == nullptr) return std::nullopt;
    XrmInitialize();
    const XrmDatabase database = XrmGetStringDatabase(resources);
    if (database == nullptr) return std::nullopt;
    std::optional<double> dpi;
    char* type = nullptr;
    XrmValue value{};
    // A string database's values end in a zero byte.
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr)
        dpi = parse_dpi(value.addr);
    XrmDestroyDatabase(database);
    return dpi;
}

bool holds(const XRRMonitorInfo& monitor, int x, int y) {
    return x >= monitor.x && x < monitor.x + monitor.width && y >= monitor.y &&
           y < monitor.y + monitor.height;
}

// The monitor under the window's centre, from RandR's monitor list (1.5);
// the whole screen's size without one.
std::optional<MonitorSize> window_monitor(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) return std::nullopt;
    const Window root = attributes.root;
    int centre_x = 0, centre_y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, root, attributes.width / 2, attributes.height / 2,
                          &centre_x, &centre_y, &child);

    int event_base = 0, error_base = 0, major = 0, minor = 0;
    if (XRRQueryExtension(display, &event_base, &error_base) &&
        XRRQueryVersion(display, &major, &minor) && (major > 1 || (major == 1 && minor >= 5))) {
        int count = 0;
        XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
        if (monitors != nullptr && count > 0) {
            const XRRMonitorInfo* chosen = &monitors[0];
            for (int i = 0; i < count; ++i) {
                if (monitors[i].primary) chosen = &monitors[i];
            }
            for (int i = 0; i < count; ++i) {
                if (holds(monitors[i], centre_x, centre_y)) {
                    chosen = &monitors[i];
                    break;
                }
            }
            const MonitorSize size{chosen->width, chosen->height, chosen->mwidth, chosen->mheight};
            XRRFreeMonitors(monitors);
            return size;
        }
        if (monitors != nullptr) XRRFreeMonitors(monitors);
    }
    Screen* screen = attributes.screen;
    return MonitorSize{WidthOfScreen(screen), HeightOfScreen(screen), WidthMMOfScreen(screen),
                       HeightMMOfScreen(screen)};
}

} // namespace

double x11_display_scale(Display* display, Window window, double requested) {
    ScaleSources sources;
    sources.requested = requested;
    if (requested <= 0.0) {
        sources.dpi = resource_dpi(display);
        if (!sources.dpi) sources.monitor = window_monitor(display, window);
    }
    return display_scale(sources);
}

} // namespace zintu
