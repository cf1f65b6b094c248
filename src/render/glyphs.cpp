// Emission of vehicle glyphs into the frame's batch.
#include "render/glyphs.h"

#include "render/gl.h"
#include "render/glyph_geometry.h"

namespace zintu {

void begin_vehicle_batch() {
    const GlyphStyle& common = common_glyph_style();
    glColor4f(common.red, common.green, common.blue, common.alpha);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
}

void end_vehicle_batch() {
    glEnd();
}

void draw_vehicle_glyph(const GlyphPalette& palette, float x, float y, float heading,
                        int32_t shape_id) {
    const GlyphStyle& style = palette_style(palette, shape_id);
    glColor4f(style.red, style.green, style.blue, style.alpha);
    const GlyphCorners c = glyph_corners(x, y, heading, style);
    for (int i = 0; i < 4; ++i)
        glVertex3f(c.x[i], c.y[i], 0.0f);
}

void clear_glyph_batch(GlyphBatch& batch) {
    batch.corners.clear();
    batch.colours.clear();
}

void add_vehicle_glyph(GlyphBatch& batch, const GlyphPalette& palette, float x, float y,
                       float heading, int32_t shape_id) {
    const GlyphStyle& style = palette_style(palette, shape_id);
    const GlyphCorners c = glyph_corners(x, y, heading, style);
    for (int i = 0; i < 4; ++i) {
        batch.corners.insert(batch.corners.end(), {c.x[i], c.y[i]});
        batch.colours.insert(batch.colours.end(),
                             {style.red, style.green, style.blue, style.alpha});
    }
}

void draw_glyph_batch(const GlyphBatch& batch) {
    // Common glyph colour, texture switch off, as the immediate batch begins.
    const GlyphStyle& common = common_glyph_style();
    glColor4f(common.red, common.green, common.blue, common.alpha);
    glDisable(GL_TEXTURE_2D);
    const auto vertices = static_cast<GLsizei>(batch.corners.size() / 2);
    if (vertices == 0) return;
    // Vertex and colour arrays on for the one draw, off again afterwards.
    glVertexPointer(2, GL_FLOAT, 0, batch.corners.data());
    glColorPointer(4, GL_FLOAT, 0, batch.colours.data());
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glDrawArrays(GL_QUADS, 0, vertices);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    // The current colour is undefined after an array draw with colours: set
    // the last glyph's, which the immediate batch leaves behind.
    glColor4fv(&batch.colours[batch.colours.size() - 4]);
}

} // namespace zintu
