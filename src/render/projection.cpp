// Map projection arithmetic. The aspect is stored as a float and the products
// use the stored float, so the box matches what the GL view is given exactly.
#include "render/projection.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace zintu {

Projection map_projection(const NetworkHeader& header) {
    Projection p{};
    if (header.x_span < 2 || header.y_span < 2) {
        // A map that is a single line or a point has no aspect of its own;
        // the formulas below would divide by its zero span, or frame it with
        // a zero half-span. It is framed 1.6 : 1 about its centre along the
        // side it has (one unit for a point).
        const double half_x = std::max(header.x_span / 2, std::max(1, header.y_span / 2) * 8 / 5);
        const double half_y = half_x / 1.6;
        p.view_aspect = static_cast<float>(kDisplayAspect);
        p.box = {header.x_center + half_x, header.x_center - half_x, header.y_center - half_y,
                 header.y_center + half_y};
        return p;
    }
    p.view_aspect = static_cast<float>(static_cast<double>(header.x_span) /
                                       static_cast<double>(header.y_span) * kDisplayAspect);
    const int32_t half_x = header.x_span / 2;
    const int32_t half_y = header.y_span / 2;
    const double aspect = p.view_aspect;
    if (header.y_span > header.x_span) {
        const double w = half_x / aspect;
        p.box = {header.x_center + w, header.x_center - w,
                 static_cast<double>(header.y_center - half_y),
                 static_cast<double>(header.y_center + half_y)};
    } else {
        const double h = half_y * aspect;
        p.box = {static_cast<double>(header.x_center + half_x),
                 static_cast<double>(header.x_center - half_x), header.y_center - h,
                 header.y_center + h};
    }
    return p;
}

namespace {

int32_t saturate(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

void apply_zoom_level(ViewState& view, const Network& network, bool downtown) {
    if (!downtown) return;
    view.zoom *= kDowntownZoom;
    const NetworkInfo& info = network.info;
    if (!info.has_downtown) {
        view.pan_y += kDowntownPanY;
        return;
    }
    // The screen centre shows (x_center - pan_x, y_center - pan_y).
    const NetworkHeader& header = *network.header;
    view.pan_x = saturate(int64_t{view.pan_x} + header.x_center - info.downtown_x);
    view.pan_y = saturate(int64_t{view.pan_y} + header.y_center - info.downtown_y);
}

ViewportPoint map_to_viewport(const NetworkHeader& header, const ViewState& view, double map_x,
                              double map_y, int32_t width, int32_t height) {
    const OrthoBox box = map_projection(header).box;
    // The map transform: zoom about the data set's centre, pan before zoom.
    const double ox = header.x_center + view.zoom * (map_x + view.pan_x - header.x_center);
    const double oy = header.y_center + view.zoom * (map_y + view.pan_y - header.y_center);
    return {(ox - box.left) / (box.right - box.left) * width,
            (oy - box.bottom) / (box.top - box.bottom) * height};
}

double pixels_per_map_unit(const NetworkHeader& header, const ViewState& view, int32_t width,
                           int32_t height) {
    const OrthoBox box = map_projection(header).box;
    const double across = static_cast<double>(width) / std::abs(box.right - box.left);
    const double up = static_cast<double>(height) / std::abs(box.top - box.bottom);
    return std::abs(static_cast<double>(view.zoom)) * std::max(across, up);
}

} // namespace zintu
