// Vehicle glyph geometry: the style of each shape id and the four corners of
// its trapezoid, narrow end forward. Shape ids 1 to 8 are four featured pairs
// with their own colour and a larger glyph; all others share one colour.
#pragma once

#include <cstdint>

namespace zintu {

struct GlyphStyle {
    float red, green, blue, alpha;
    double half_width;  // W, map units, at the back edge
    double half_length; // L, map units, from the centre to each edge
};

// The style of `shape_id` (ids outside 1..8 get the common style).
const GlyphStyle& glyph_style(int32_t shape_id);

// The style of shape ids 9 and above, also the colour set before the batch.
const GlyphStyle& common_glyph_style();

// Corners A, B (back edge) and C, D (front edge), in drawing order.
struct GlyphCorners {
    float x[4];
    float y[4];
};

GlyphCorners glyph_corners(float x, float y, float heading, const GlyphStyle& style);

} // namespace zintu
