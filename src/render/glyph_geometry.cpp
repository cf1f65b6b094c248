// Vehicle glyph styles and corner arithmetic. Sines and cosines are taken of
// the single-precision heading; each coordinate is summed in double precision.
#include "render/glyph_geometry.h"

#include <cmath>

namespace zintu {
namespace {

constexpr double kHalfPi = 1.5707963;
constexpr double kFrontFactor = 0.5;

constexpr GlyphStyle kFeatured[4] = {
    {1.0f, 198.0f / 255.0f, 0.0f, 1.0f, 7.5, 20.0},            // 1, 2
    {44.0f / 255.0f, 189.0f / 255.0f, 0.0f, 1.0f, 7.5, 20.0},  // 3, 4
    {142.0f / 255.0f, 0.0f, 189.0f / 255.0f, 1.0f, 7.5, 20.0}, // 5, 6
    {0.0f, 191.0f / 255.0f, 203.0f / 255.0f, 1.0f, 7.5, 20.0}, // 7, 8
};
constexpr GlyphStyle kCommon = {0.8f, 0.4f, 0.4f, 1.0f, 5.0, 10.0};

} // namespace

const GlyphStyle& common_glyph_style() {
    return kCommon;
}

const GlyphStyle& glyph_style(int32_t shape_id) {
    if (shape_id >= 1 && shape_id <= 8) return kFeatured[(shape_id - 1) / 2];
    return kCommon;
}

GlyphCorners glyph_corners(float x, float y, float heading, const GlyphStyle& style) {
    const double h = heading;
    const double ch = std::cos(h), sh = std::sin(h);
    const double cl = std::cos(h + kHalfPi), sl = std::sin(h + kHalfPi); // left side
    const double cr = std::cos(h - kHalfPi), sr = std::sin(h - kHalfPi); // right side
    const double w = style.half_width, l = style.half_length;
    const double px = x, py = y;
    return {{static_cast<float>(px + w * cl - l * ch), static_cast<float>(px + w * cr - l * ch),
             static_cast<float>(px + kFrontFactor * w * cr + l * ch),
             static_cast<float>(px + kFrontFactor * w * cl + l * ch)},
            {static_cast<float>(py + w * sl - l * sh), static_cast<float>(py + w * sr - l * sh),
             static_cast<float>(py + kFrontFactor * w * sr + l * sh),
             static_cast<float>(py + kFrontFactor * w * sl + l * sh)}};
}

} // namespace zintu
