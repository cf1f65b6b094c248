// The per-monitor layout: monitors clipped to the window, those inside
// another dropped, and each turned from the screen's downward y into GL's
// upward one. Sums are taken in 64 bits so no rectangle can overflow them.
#include "app/monitor_layout.h"

#include <algorithm>
#include <climits>

namespace zintu {
namespace {

int32_t clamp32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

bool is_empty(const ScreenRect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

ScreenRect intersection(const ScreenRect& a, const ScreenRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool contains(const ScreenRect& outer, const ScreenRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool same(const ScreenRect& a, const ScreenRect& b) {
    return contains(a, b) && contains(b, a);
}

Viewport in_window(const ScreenRect& r, const ScreenRect& window) {
    return {clamp32(int64_t{r.left} - window.left), clamp32(int64_t{window.bottom} - r.bottom),
            clamp32(int64_t{r.right} - r.left), clamp32(int64_t{r.bottom} - r.top)};
}

} // namespace

std::vector<Viewport> monitor_viewports(const MonitorSet& screens, MonitorLayout layout) {
    const ScreenRect& window = screens.window;
    const Viewport whole{0, 0, clamp32(std::max<int64_t>(0, int64_t{window.right} - window.left)),
                         clamp32(std::max<int64_t>(0, int64_t{window.bottom} - window.top))};
    if (layout == MonitorLayout::Span) return {whole};
    std::vector<ScreenRect> shown;
    for (const ScreenRect& monitor : screens.monitors) {
        const ScreenRect part = intersection(monitor, window);
        if (!is_empty(part)) shown.push_back(part);
    }
    std::vector<Viewport> viewports;
    for (const ScreenRect& monitor : shown) {
        // Inside another: dropped; of two equal ones the first stays.
        bool inside = false;
        for (const ScreenRect& other : shown) {
            inside = inside || (&other != &monitor && contains(other, monitor) &&
                                (&other < &monitor || !same(monitor, other)));
        }
        if (!inside) viewports.push_back(in_window(monitor, window));
    }
    if (viewports.empty()) return {whole};
    return viewports;
}

} // namespace zintu
