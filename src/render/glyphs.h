// Vehicle glyphs in OpenGL: every vehicle of a frame is one quad of a single
// GL_QUADS batch, drawn under the map transform over the network lines.
//
// Two ways to make the batch, with the same quads in the same order and so
// the same pixels: immediate mode, a colour and four vertex calls per vehicle
// between one begin and end; or the glyphs gathered into one vertex array with
// a colour per corner and drawn with one call.
#pragma once

#include "render/glyph_palette.h"

#include <cstdint>
#include <vector>

namespace zintu {

// The frame's one GL_QUADS batch: texture off, the common glyph colour current.
void begin_vehicle_batch();
void end_vehicle_batch();

// The vehicle consumer: one colour and four vertices, one quad of the batch,
// in the style the palette holds for `shape_id`.
void draw_vehicle_glyph(const GlyphPalette& palette, float x, float y, float heading,
                        int32_t shape_id);

// The glyphs of one frame as arrays: x, y of each corner and the glyph's
// colour (red, green, blue, alpha) at each corner. Kept between frames so
// their storage is reused.
struct GlyphBatch {
    std::vector<float> corners;
    std::vector<float> colours;
};

void clear_glyph_batch(GlyphBatch& batch);

// The vehicle consumer for arrays: appends one glyph's quad.
void add_vehicle_glyph(GlyphBatch& batch, const GlyphPalette& palette, float x, float y,
                       float heading, int32_t shape_id);

// Draws the batch as one GL_QUADS array with the state the immediate batch
// has (texture off), and leaves the last glyph's colour current (the common
// colour when there is none), as the immediate batch does.
void draw_glyph_batch(const GlyphBatch& batch);

} // namespace zintu
