// The glyph style of every shape of one network, for the colours it is drawn
// in: made once when the view initialises, so that a vehicle's style is one
// look-up whichever colours are chosen.
#pragma once

#include "network/network.h"
#include "render/glyph_geometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zintu {

// Indexed by shape id, one entry per entry of the shape table.
struct GlyphPalette {
    std::vector<GlyphStyle> styles;
};

// True for the kinds drawn with the larger glyph in line colours: vehicles on
// a guideway or on water (tram, metro, rail, cable tram, funicular, monorail,
// ferry), the few large vehicles a rider finds the network by. Road vehicles
// (bus, trolleybus) and the small cabins of aerial lifts, many and close
// together, take the smaller one, so that they do not bury the lines.
bool large_glyph_kind(RouteKind kind);

// Featured: each shape id's style of the featured table (glyph_style). Lines:
// each shape's route colour made visible on white (route_colours.h), with the
// glyph size of its kind. A network without shape styles is drawn featured
// whatever `colours` says.
GlyphPalette make_glyph_palette(const Network& network, NetworkColours colours);

// The style of `shape_id`; the featured table's for an id the palette does
// not hold (an empty palette draws the featured style).
inline const GlyphStyle& palette_style(const GlyphPalette& palette, int32_t shape_id) {
    if (shape_id >= 0 && static_cast<std::size_t>(shape_id) < palette.styles.size())
        return palette.styles[static_cast<std::size_t>(shape_id)];
    return glyph_style(shape_id);
}

} // namespace zintu
