// Route colours on the white map: the contrast rule as a table of colours and
// what each comes out as, the kinds' defaults and glyph sizes, and the glyph
// palette a network gets in featured and in line colours.
#include "render/glyph_palette.h"
#include "render/route_colours.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

namespace zintu {
namespace {

std::string hex(uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", rgb);
    return text;
}

// Every row's result has at least 3:1 against white and the colour's hue: its
// channels in the same order, each darkened by about one factor. Rail-bound
// kinds and ferries have the large glyph.
TEST(RouteColours, TooPaleColoursAreDarkenedToThreeToOneAndKindsSized) {
    constexpr uint32_t kNone = kNoRouteColour;
    using enum RouteKind;
    // clang-format off
    const std::tuple<uint32_t, RouteKind, uint32_t, bool> cases[] = { // shown, large
        {0xFFFFFF, Bus, 0x949494, 0},   // white: the lightest grey with 3:1
        {0x959595, Bus, 0x949494, 0},   // one step too light
        {0xFEF0B5, Bus, 0x9E9571, 0},   // pale yellow
        {0xFCCC0A, Metro, 0xB39107, 1}, // yellow
        {0xFFC600, Metro, 0xB88F00, 1}, // the featured yellow
        {0x2CBD00, Metro, 0x28AC00, 1}, // the featured green
        {0x00FF00, Rail, 0x00AD00, 1},  // one channel alone
        {0x0039A6, Rail, 0x0039A6, 1},  // dark already: unchanged
        {0xEE352E, Bus, 0xEE352E, 0},   // 4.0:1, unchanged
        {0x000000, Bus, 0x000000, 0},   // black
        // No colour: the kind's default; not a kind: a bus; beyond 24 bits: no colour.
        {kNone, Bus, 0xCC6666, 0}, {kNone, Tram, 0x2E8B57, 1}, {kNone, Metro, 0x1F5FBF, 1},
        {kNone, Rail, 0x7B3F9E, 1}, {kNone, Ferry, 0x00838F, 1}, {kNone, CableTram, 0x6B8E23, 1},
        {kNone, AerialLift, 0xC0622F, 0}, {kNone, Funicular, 0x8B5A2B, 1},
        {kNone, Trolleybus, 0xC2185B, 0}, {kNone, Monorail, 0x546E7A, 1},
        {kNone, RouteKind{9}, 0xCC6666, 0}, {0x1000000, Rail, 0x7B3F9E, 1},
    };
    // clang-format on
    for (const auto& [colour, kind, shown, large] : cases) {
        SCOPED_TRACE(hex(colour) + " " + std::to_string(static_cast<int>(kind)));
        EXPECT_EQ(hex(visible_route_colour(colour, kind)), hex(shown));
        EXPECT_EQ(large_glyph_kind(kind), large);
        EXPECT_GE(contrast_with_white(shown), kMinimumContrast);
    }
    EXPECT_NEAR(relative_luminance(0x0A0A0A), 10 / 255.0 / 12.92, 1e-12) << "the linear segment";
    EXPECT_DOUBLE_EQ(contrast_with_white(0xFFFFFF), 1.0);
    EXPECT_DOUBLE_EQ(contrast_with_white(0x000000), 21.0);
}

// Featured: the featured table, whatever the network's styles. Lines: each
// shape's colour made visible, the large glyph for rail-bound kinds and
// ferries; without styles, featured all the same.
TEST(RouteColours, PaletteHoldsEachShapesStyle) {
    const ShapeStyle styles[] = {
        {.colour = kNoRouteColour, .kind = RouteKind::Bus},
        {.colour = 0xFFFFFF, .kind = RouteKind::Rail},
        {.colour = 0x0039A6, .kind = RouteKind::Bus},
        {.colour = kNoRouteColour, .kind = RouteKind::Ferry},
    };
    Network network{};
    network.shape_count = 4;
    network.shape_styles = styles;
    const GlyphPalette lines = make_glyph_palette(network, NetworkColours::Lines);
    const GlyphPalette featured = make_glyph_palette(network, NetworkColours::Featured);
    ASSERT_EQ(lines.styles.size(), 4u);
    const std::tuple<int32_t, float, float, float, double, double> line_rows[] = {
        {1, 148 / 255.0f, 148 / 255.0f, 148 / 255.0f, 7.5, 20.0},
        {2, 0.0f, 57 / 255.0f, 166 / 255.0f, 5.0, 10.0},
        {3, 0.0f, 131 / 255.0f, 143 / 255.0f, 7.5, 20.0},
    };
    for (const auto& [id, r, g, b, w, l] : line_rows) {
        const GlyphStyle& s = palette_style(lines, id);
        EXPECT_EQ(std::tie(s.red, s.green, s.blue, s.alpha, s.half_width, s.half_length),
                  std::make_tuple(r, g, b, 1.0f, w, l))
            << "shape " << id;
    }
    EXPECT_EQ(featured.styles[1].green, glyph_style(1).green);
    // An id the palette does not hold: the featured table's style.
    for (int32_t id : {-1, 4})
        EXPECT_EQ(&palette_style(lines, id), &glyph_style(id)) << "shape " << id;
    network.shape_styles = nullptr;
    EXPECT_EQ(make_glyph_palette(network, NetworkColours::Lines).styles[1].red, glyph_style(1).red);
}

} // namespace
} // namespace zintu
