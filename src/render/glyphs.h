// Vehicle glyphs in OpenGL: every vehicle of a frame is one quad of a single
// GL_QUADS batch, drawn under the map transform over the network lines.
#pragma once

#include <cstdint>

namespace zintu {

// The frame's one GL_QUADS batch: texture off, the common glyph colour current.
void begin_vehicle_batch();
void end_vehicle_batch();

// The vehicle consumer: one colour and four vertices, one quad of the batch.
void draw_vehicle_glyph(float x, float y, float heading, int32_t shape_id);

} // namespace zintu
