// Map projection arithmetic: the orthographic box that frames the network, the
// zoom level's view state, and where a map point lands on the viewport. Pure
// functions, shared by the GL map view, the tests and the tools.
#pragma once

#include "network/network.h"

#include <cstdint>

namespace zintu {

// Height over width of the screen the projection assumes (16:10).
inline constexpr double kDisplayAspect = 0.625;
inline constexpr double kMapNear = -1000.0;
inline constexpr double kMapFar = 1000.0;
inline constexpr float kDowntownZoom = 4.0f;
inline constexpr int32_t kDowntownPanY = 750;

struct ViewState {
    float zoom = 1.0f;
    int32_t pan_x = 0;
    int32_t pan_y = 0;
    float view_aspect = 0.0f;
    uint32_t network_list = 0; // display list of the whole network; 0 = none
    uint32_t font_base = 0;    // first of the overlay's 96 glyph lists
    float line_width = 1.0f;   // the network's lines, in pixels: the display's scale factor
};

// Left is greater than right: larger map x is drawn further left.
struct OrthoBox {
    double left;
    double right;
    double bottom;
    double top;
};

struct Projection {
    float view_aspect;
    OrthoBox box;
};

// The box that shows the whole data set, centred, along its longer side, with
// the proportions 1.6 : 1 whatever the window.
Projection map_projection(const NetworkHeader& header);

// Zoom and pan of the zoom level: four times the scale, centred on the
// network's downtown point, or 750 units south of the map's centre for a
// network that names none.
void apply_zoom_level(ViewState& view, const Network& network, bool downtown);

// A rectangle of the drawable the map is drawn into, in pixels from the
// drawable's lower left corner (GL's window coordinates).
struct Viewport {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const Viewport&) const = default;
};

struct ViewportPoint {
    double x; // pixels from the left edge
    double y; // pixels from the bottom edge
};

// Where map point (map_x, map_y) is drawn in a width x height viewport.
ViewportPoint map_to_viewport(const NetworkHeader& header, const ViewState& view, double map_x,
                              double map_y, int32_t width, int32_t height);

} // namespace zintu
