// The one palette of a recorded GIF and the look-up that maps a frame's
// pixels to it. A frame holds few colours: white, the network's greys (its
// lines smoothed over white), the vehicles' colours, and the overlay's text
// (black at 30 % over any of them). The palette holds those as drawn, then
// blends of the vehicles' colours with white for smoothed edges, as many as
// fit; every other colour goes to its nearest entry, found once per colour.
#pragma once

#include <cstdint>
#include <vector>

namespace zintu {

// Colour entries of a GIF palette at most; the last index of 256 is the
// transparent one, kept for pixels a frame leaves as they were.
inline constexpr int kGifColours = 255;
inline constexpr uint8_t kGifTransparent = 255;

// The palette (0xRRGGBB, at most kGifColours entries) for frames whose
// vehicles are drawn in `drawn_colours`, the most important first.
std::vector<uint32_t> make_gif_palette(const std::vector<uint32_t>& drawn_colours);

// Maps colours to palette indices through a table of the colours met so far;
// a colour not met before costs one search of the palette.
struct ColourLookup {
    std::vector<uint32_t> palette;
    std::vector<uint32_t> keys; // colour + 1; 0: empty slot
    std::vector<uint8_t> indices;
    int64_t filled = 0;
};

ColourLookup make_colour_lookup(std::vector<uint32_t> palette);

// The palette index of 0xRRGGBB `colour`: its own entry, or the nearest.
uint8_t palette_index(ColourLookup& lookup, uint32_t colour);

// Maps `count` RGB pixels to indices.
void map_to_palette(ColourLookup& lookup, const uint8_t* rgb, int64_t count, uint8_t* out);

} // namespace zintu
