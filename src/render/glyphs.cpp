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

void draw_vehicle_glyph(float x, float y, float heading, int32_t shape_id) {
    const GlyphStyle& style = glyph_style(shape_id);
    glColor4f(style.red, style.green, style.blue, style.alpha);
    const GlyphCorners c = glyph_corners(x, y, heading, style);
    for (int i = 0; i < 4; ++i)
        glVertex3f(c.x[i], c.y[i], 0.0f);
}

} // namespace zintu
