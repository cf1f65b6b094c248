// Route colours on the white map: the contrast rule as a table of colours and
// what each comes out as, the kinds' defaults, and the glyph palette a
// network gets in featured and in line colours.
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
// channels in the same order, each darkened by about one factor.
TEST(RouteColours, TooPaleColoursAreDarkenedToThreeToOne) {
    constexpr uint32_t kNone = kNoRouteColour;
    const std::tuple<uint32_t, RouteKind, uint32_t> cases[] = {
        {0xFFFFFF, RouteKind::Bus, 0x949494},   // white: the lightest grey with 3:1
        {0x959595, RouteKind::Bus, 0x949494},   // one step too light
        {0xFEF0B5, RouteKind::Bus, 0x9E9571},   // pale yellow
        {0xFCCC0A, RouteKind::Metro, 0xB39107}, // yellow
        {0xFFC600, RouteKind::Metro, 0xB88F00}, // the featured yellow
        {0x2CBD00, RouteKind::Metro, 0x28AC00}, // the featured green
        {0x00FF00, RouteKind::Rail, 0x00AD00},  // one channel alone
        {0x0039A6, RouteKind::Rail, 0x0039A6},  // dark already: unchanged
        {0xEE352E, RouteKind::Bus, 0xEE352E},   // 4.0:1, unchanged
        {0x000000, RouteKind::Bus, 0x000000},   // black
        {kNone, RouteKind::Bus, 0xCC6666},      // no colour: the kind's default
        {kNone, RouteKind::Tram, 0x2E8B57},
        {kNone, RouteKind::Metro, 0x1F5FBF},
        {kNone, RouteKind::Rail, 0x7B3F9E},
        {kNone, RouteKind::Ferry, 0x00838F},
        {kNone, RouteKind::CableTram, 0x6B8E23},
        {kNone, RouteKind::AerialLift, 0xC0622F},
        {kNone, RouteKind::Funicular, 0x8B5A2B},
        {kNone, RouteKind::Trolleybus, 0xC2185B},
        {kNone, RouteKind::Monorail, 0x546E7A},
        {kNone, static_cast<RouteKind>(9), 0xCC6666}, // not a kind: a bus
        {0x1000000, RouteKind::Rail, 0x7B3F9E},       // beyond 24 bits: no colour
    };
    for (const auto& [colour, kind, shown] : cases) {
        SCOPED_TRACE(hex(colour));
        EXPECT_EQ(hex(visible_route_colour(colour, kind)), hex(shown));
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

TEST(RouteColours, LargeGlyphsForGuidewaysAndWater) {
    using enum RouteKind;
    for (const RouteKind kind : {Tram, Metro, Rail, Ferry, CableTram, Funicular, Monorail})
        EXPECT_TRUE(large_glyph_kind(kind)) << static_cast<int>(kind);
    for (const RouteKind kind : {Bus, Trolleybus, AerialLift, static_cast<RouteKind>(9)})
        EXPECT_FALSE(large_glyph_kind(kind)) << static_cast<int>(kind);
}

} // namespace
} // namespace zintu
