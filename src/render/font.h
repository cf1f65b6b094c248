// The overlay font: 96 bitmap glyph display lists, one per character code from
// 32 to 127, 24-pixel bold "Garamond" or the platform's closest substitute.
// Each platform builds the lists its own way (FreeType on Linux, the system's
// bitmap-font call on Windows) and hands its maker over with the platform's
// services; the overlay only calls the lists.
#pragma once

#include <cstdint>

namespace zintu {

inline constexpr int kFontFirstChar = 32;
inline constexpr int kFontGlyphCount = 96;
inline constexpr int kFontPixelHeight = 24;
inline constexpr int kFontWeight = 700;
inline constexpr const char* kFontFace = "Garamond";

// Builds the glyph lists with the GL context current and returns the name of
// the first (`font_base`); list font_base + (c - 32) draws character c.
using MakeFont = uint32_t (*)();

} // namespace zintu
