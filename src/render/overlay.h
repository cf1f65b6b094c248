// The overlay in OpenGL: the clock, the vehicle count and, while runs are being
// built, the loading percentage, drawn with the font's bitmap glyph lists over
// the whole viewport.
#pragma once

#include <cstdint>
#include <ctime>

namespace zintu {

// The values one frame's overlay shows.
struct OverlayInput {
    std::tm local_time;
    int32_t vehicle_count;
    int32_t rows_processed;
    int32_t frequency_count;
    bool loading_complete;
};

// Formats like printf and draws the text at the current raster position with
// the glyph lists from `font_base`. A null format draws nothing; a text longer
// than 255 characters is cut there.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void draw_text(uint32_t font_base, const char* format, ...);

// Draws the overlay's two or three lines, replacing the map's matrices while
// it draws.
void draw_overlay(uint32_t font_base, const OverlayInput& input);

// Draws one line of text in the overlay's colour at the bottom left corner,
// as the frames-per-second line stands.
void draw_corner_line(uint32_t font_base, const char* text);

} // namespace zintu
