// The overlay font: 96 bitmap glyph display lists, one per character code from
// 32 to 127, bold "Garamond" or the platform's closest substitute, 24 pixels
// high on a 96-dpi display and in proportion on others.
// Each platform builds the lists its own way (FreeType on Linux, the system's
// bitmap-font call on Windows) and hands its maker over with the platform's
// services; the overlay only calls the lists.
#pragma once

#include <cmath>
#include <cstdint>

namespace zintu {

inline constexpr int kFontFirstChar = 32;
inline constexpr int kFontGlyphCount = 96;
inline constexpr int kFontPixelHeight = 24;
inline constexpr int kFontWeight = 700;
inline constexpr const char* kFontFace = "Garamond";

// The font's height in pixels on a display of scale factor `scale`; the
// glyphs are bitmaps, so their size is set here, not by any matrix.
inline int32_t font_pixel_height(double scale) {
    return static_cast<int32_t>(std::lround(kFontPixelHeight * scale));
}

// Builds the glyph lists, `pixel_height` pixels high (leading excluded), with
// the GL context current and returns the name of the first (`font_base`);
// list font_base + (c - 32) draws character c.
using MakeFont = uint32_t (*)(int32_t pixel_height);

} // namespace zintu
