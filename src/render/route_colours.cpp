// The contrast rule for route colours on white, and the colour of each kind
// of route that names none.
#include "render/route_colours.h"

#include <algorithm>
#include <cmath>

namespace zintu {
namespace {

uint32_t channel(uint32_t rgb, int shift) {
    return (rgb >> shift) & 0xFFu;
}

// One sRGB channel (0 to 255) as linear light. The guidelines' threshold,
// 0.03928, and sRGB's 0.04045 select the same 8-bit values.
double linear_channel(uint32_t value) {
    const double c = static_cast<double>(value) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// `value` scaled by level / top, rounded to the nearest step.
uint32_t scaled(uint32_t value, uint32_t level, uint32_t top) {
    return (value * level + top / 2) / top;
}

} // namespace

double relative_luminance(uint32_t rgb) {
    return 0.2126 * linear_channel(channel(rgb, 16)) + 0.7152 * linear_channel(channel(rgb, 8)) +
           0.0722 * linear_channel(channel(rgb, 0));
}

double contrast_with_white(uint32_t rgb) {
    // The lighter of the two, white, has luminance 1.
    return (1.0 + 0.05) / (relative_luminance(rgb) + 0.05);
}

uint32_t default_route_colour(RouteKind kind) {
    switch (kind) {
    case RouteKind::Tram:
        return 0x2E8B57; // sea green
    case RouteKind::Metro:
        return 0x1F5FBF; // blue
    case RouteKind::Rail:
        return 0x7B3F9E; // purple
    case RouteKind::Ferry:
        return 0x00838F; // teal
    case RouteKind::CableTram:
        return 0x6B8E23; // olive
    case RouteKind::AerialLift:
        return 0xC0622F; // burnt orange
    case RouteKind::Funicular:
        return 0x8B5A2B; // brown
    case RouteKind::Trolleybus:
        return 0xC2185B; // raspberry
    case RouteKind::Monorail:
        return 0x546E7A; // slate
    case RouteKind::Bus:
        break;
    }
    return 0xCC6666; // the common vehicle colour, (0.8, 0.4, 0.4)
}

uint32_t visible_route_colour(uint32_t colour, RouteKind kind) {
    if (colour > 0xFFFFFFu) colour = default_route_colour(kind);
    const uint32_t r = channel(colour, 16), g = channel(colour, 8), b = channel(colour, 0);
    const uint32_t top = std::max({r, g, b});
    // Down from the colour itself, one step of its brightest channel at a
    // time; black (level 0) always has enough contrast.
    for (uint32_t level = top; level > 0; --level) {
        const uint32_t candidate =
            scaled(r, level, top) << 16 | scaled(g, level, top) << 8 | scaled(b, level, top);
        if (contrast_with_white(candidate) >= kMinimumContrast) return candidate;
    }
    return 0x000000;
}

} // namespace zintu
