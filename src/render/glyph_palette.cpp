// Making a network's glyph palette in featured or line colours.
#include "render/glyph_palette.h"

#include "render/route_colours.h"

namespace zintu {
namespace {

float channel_of(uint32_t rgb, int shift) {
    return static_cast<float>((rgb >> shift) & 0xFFu) / 255.0f;
}

GlyphStyle line_style(const ShapeStyle& route) {
    const uint32_t rgb = visible_route_colour(route.colour, route.kind);
    // Sizes are those of the featured table: a featured pair's or the common.
    const GlyphStyle& size = large_glyph_kind(route.kind) ? glyph_style(1) : common_glyph_style();
    return {channel_of(rgb, 16), channel_of(rgb, 8), channel_of(rgb, 0), 1.0f,
            size.half_width,     size.half_length};
}

} // namespace

bool large_glyph_kind(RouteKind kind) {
    switch (kind) {
    case RouteKind::Tram:
    case RouteKind::Metro:
    case RouteKind::Rail:
    case RouteKind::Ferry:
    case RouteKind::CableTram:
    case RouteKind::Funicular:
    case RouteKind::Monorail:
        return true;
    case RouteKind::Bus:
    case RouteKind::AerialLift:
    case RouteKind::Trolleybus:
        break;
    }
    return false;
}

GlyphPalette make_glyph_palette(const Network& network, NetworkColours colours) {
    GlyphPalette palette;
    const int32_t count = network.shape_count > 0 ? network.shape_count : 0;
    palette.styles.reserve(static_cast<std::size_t>(count));
    const bool lines = colours == NetworkColours::Lines && network.shape_styles != nullptr;
    for (int32_t s = 0; s < count; ++s)
        palette.styles.push_back(lines ? line_style(network.shape_styles[s]) : glyph_style(s));
    return palette;
}

} // namespace zintu
