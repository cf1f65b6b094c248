// Pure view arithmetic: projection, zoom and the overlay's lines; route colours
// on the white map (the contrast rule, the kinds' defaults and glyph sizes) and
// the glyph palette's fallbacks; the display's scale factor from its sources;
// the viewports of a window over several monitors.
#include "app/display_scale.h"
#include "app/monitor_layout.h"
#include "render/glyph_palette.h"
#include "render/overlay_text.h"
#include "render/projection.h"
#include "render/route_colours.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>
#include <vector>

namespace zintu {

void PrintTo(const Viewport& v, std::ostream* out) {
    *out << "(" << v.x << ", " << v.y << ", " << v.width << "x" << v.height << ")";
}

namespace {

NetworkHeader header(int32_t x_span, int32_t y_span, int32_t x_center, int32_t y_center) {
    NetworkHeader h{};
    std::tie(h.x_span, h.y_span, h.x_center, h.y_center) =
        std::tie(x_span, y_span, x_center, y_center);
    return h;
}

// The box shows the whole map along its longer side, 1.6 : 1.
TEST(Projection, FramesTheMapAlongItsLongerSide) {
    const std::tuple<const char*, NetworkHeader, float, double, double, double, double> cases[] = {
        // spans and centre; aspect, left, right, bottom, top
        {"wider than tall", header(5276, 3126, 3866, 7482), 1.0548625f, 6504, 1228, 5833.25,
         9130.75},
        {"taller than wide", header(1000, 2000, 500, 1000), 0.3125f, 2100, -1100, 0, 2000},
        {"equal spans: the wider branch", header(2000, 2000, 0, 0), 0.625f, 1000, -1000, -625, 625},
        // A line or a point, framed without dividing by zero.
        {"a line along x: its length across", header(1600, 0, 0, 0), 0.625f, 800, -800, -500, 500},
        {"a line along y: its length up", header(0, 1000, 0, 0), 0.625f, 800, -800, -500, 500},
        {"a point", header(0, 0, 0, 0), 0.625f, 1, -1, -0.625, 0.625},
        {"one unit wide: no half-span", header(1, 1000, 0, 0), 0.625f, 800, -800, -500, 500},
    };
    for (const auto& [what, h, aspect, left, right, bottom, top] : cases) {
        const Projection p = map_projection(h);
        EXPECT_EQ(p.view_aspect, aspect) << what;
        for (const auto& [got, want] : {std::pair{p.box.left, left},
                                        {p.box.right, right},
                                        {p.box.bottom, bottom},
                                        {p.box.top, top}})
            EXPECT_NEAR(got, want, 1e-3) << what;
    }
}

// Monitor rectangles in virtual-screen pixels (y down, the primary's corner at
// the origin) to viewports in the window (y up from its lower left corner).
TEST(MonitorLayout, AWholeMapOnEachMonitorOrOneAcrossThemAll) {
    const auto at = [](int32_t x, int32_t y, int32_t w, int32_t h) {
        return ScreenRect{x, y, x + w, y + h};
    };
    constexpr MonitorLayout each = MonitorLayout::Each, span = MonitorLayout::Span;
    using Rects = std::vector<ScreenRect>;
    using Viewports = std::vector<Viewport>;
    // clang-format off
    const std::tuple<const char*, ScreenRect, Rects, MonitorLayout, Viewports> cases[] = {
        {"one monitor", at(0, 0, 1920, 1080), {at(0, 0, 1920, 1080)}, each, {{0, 0, 1920, 1080}}},
        {"side by side", at(0, 0, 2560, 800), {at(0, 0, 1280, 800), at(1280, 0, 1280, 800)}, each,
         {{0, 0, 1280, 800}, {1280, 0, 1280, 800}}},
        {"stacked: the upper one higher in GL", at(0, 0, 1280, 1600),
         {at(0, 0, 1280, 800), at(0, 800, 1280, 800)}, each, {{0, 800, 1280, 800}, {0, 0, 1280, 800}}},
        {"different sizes, tops aligned", at(0, 0, 3200, 1200),
         {at(0, 0, 1920, 1200), at(1920, 0, 1280, 1024)}, each,
         {{0, 0, 1920, 1200}, {1920, 176, 1280, 1024}}},
        {"left of the primary, bottoms aligned", at(-1280, 0, 3200, 1080),
         {at(0, 0, 1920, 1080), at(-1280, 56, 1280, 1024)}, each,
         {{1280, 0, 1920, 1080}, {0, 0, 1280, 1024}}},
        {"above the primary", at(-320, -1440, 2560, 2520),
         {at(0, 0, 1920, 1080), at(-320, -1440, 2560, 1440)}, each,
         {{320, 0, 1920, 1080}, {0, 1080, 2560, 1440}}},
        {"span: one map over the window", at(-1280, 0, 3200, 1080),
         {at(0, 0, 1920, 1080), at(-1280, 56, 1280, 1024)}, span, {{0, 0, 3200, 1080}}},
        {"mirrored: the smaller and the equal one show the first's map", at(0, 0, 1920, 1080),
         {at(0, 0, 1280, 1024), at(0, 0, 1920, 1080), at(0, 0, 1920, 1080)}, each,
         {{0, 0, 1920, 1080}}},
        {"clipped to the window; one outside it dropped", at(0, 0, 1280, 800),
         {at(-100, 0, 1280, 800), at(1280, 0, 1024, 768)}, each, {{0, 0, 1180, 800}}},
        {"none within: the window", at(10, 20, 640, 480), {at(10, 500, 640, 480)}, each,
         {{0, 0, 640, 480}}},
    };
    // clang-format on
    for (const auto& [what, window, monitors, layout, viewports] : cases)
        EXPECT_EQ(monitor_viewports({window, monitors}, layout), viewports) << what;
}

// Four times the scale, 750 units south of the middle or on the downtown point.
TEST(Projection, DowntownZoomsFourTimesAboutItsCentre) {
    const NetworkHeader h = header(5276, 3126, 3866, 7482);
    NetworkInfo point;
    point.has_downtown = true;
    point.downtown_x = 3000;
    point.downtown_y = 8000;
    ViewState full, downtown, at_point;
    apply_zoom_level(full, {&h, nullptr, nullptr, 0, nullptr, point}, false);
    apply_zoom_level(downtown, {&h, nullptr, nullptr, 0, nullptr, {}}, true);
    apply_zoom_level(at_point, {&h, nullptr, nullptr, 0, nullptr, point}, true);
    EXPECT_EQ(std::tie(full.zoom, full.pan_x, full.pan_y), std::make_tuple(1.0f, 0, 0));
    EXPECT_EQ(std::tie(downtown.zoom, downtown.pan_x, downtown.pan_y),
              std::make_tuple(4.0f, 0, 750));
    EXPECT_EQ(std::tie(at_point.zoom, at_point.pan_x, at_point.pan_y),
              std::make_tuple(4.0f, 866, -518));
    // Where map points land on a 1280 x 800 viewport; larger map x further left.
    const std::tuple<const ViewState&, double, double, double, double> cases[] = {
        {at_point, 3000, 8000, 640, 400},
        {downtown, 3206.5, 6319.8125, 1280, 0},
        {full, 6504, 5833.25, 0, 0}};
    for (const auto& [view, x, y, viewport_x, viewport_y] : cases) {
        const ViewportPoint p = map_to_viewport(h, view, x, y, 1280, 800);
        EXPECT_NEAR(p.x, viewport_x, 1e-3) << x << ", " << y;
        EXPECT_NEAR(p.y, viewport_y, 1e-3) << x << ", " << y;
    }
}

TEST(Overlay, LinesAndWhereTheyStand) {
    std::tm t{};
    t.tm_mday = 1;
    for (const auto& [wday, hour, minute, second, line] :
         {std::make_tuple(0, 0, 0, 0, "(Sun) 00:00:00"),
          std::make_tuple(6, 23, 59, 59, "(Sat) 23:59:59")}) {
        std::tie(t.tm_wday, t.tm_hour, t.tm_min, t.tm_sec) = std::tie(wday, hour, minute, second);
        EXPECT_EQ(overlay_time_line(t), line);
    }
    EXPECT_EQ(overlay_vehicle_line(312), "Vehicles: 312");
    EXPECT_EQ(overlay_loading_line(5276, 5276), "Loading ... (100%)");
    // 2505 / 5276 = 47.48 %: truncated, not rounded.
    EXPECT_EQ(overlay_loading_line(2505, 5276), "Loading ... (47%)");
    EXPECT_EQ(overlay_loading_percent(5275, 5276), 99);
    const OverlayLayout layout = overlay_layout();
    EXPECT_EQ(std::tie(layout.left, layout.first_baseline, layout.line_step),
              std::make_tuple(0.350625f, 8.888889f, -0.7f));
    for (const auto& [line, fraction] : {std::pair{0, 0.88889}, {1, 0.81889}, {2, 0.76289}})
        EXPECT_NEAR(overlay_baseline_fraction(line), fraction, 1e-5);
}

std::string hex(uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", rgb);
    return text;
}

// Every result has 3:1 against white and the colour's hue. Rail-bound kinds and
// ferries have the large glyph.
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
    EXPECT_DOUBLE_EQ(contrast_with_white(0x000000), 21.0);
}

// Each shape's colour and size under lines are the render tests' pixels; these
// are the featured table's stand-ins.
TEST(RouteColours, PaletteFallsBackToTheFeaturedTable) {
    const ShapeStyle styles[] = {{}, {.colour = 0xFFFFFF, .kind = RouteKind::Rail}};
    Network network{};
    network.shape_count = 2;
    network.shape_styles = styles;
    const GlyphPalette lines = make_glyph_palette(network, NetworkColours::Lines);
    const GlyphPalette featured = make_glyph_palette(network, NetworkColours::Featured);
    ASSERT_EQ(lines.styles.size(), 2u);
    EXPECT_EQ(featured.styles[1].green, glyph_style(1).green);
    for (int32_t id : {-1, 2})
        EXPECT_EQ(&palette_style(lines, id), &glyph_style(id)) << "shape " << id;
    network.shape_styles = nullptr;
    EXPECT_EQ(make_glyph_palette(network, NetworkColours::Lines).styles[1].red, glyph_style(1).red);
}

// Each source in its order of precedence, the fallbacks past sources that are
// absent or implausible, the rounding to quarters and the limits.
TEST(DisplayScale, SourcesInOrderAndTheirFallbacks) {
    using M = MonitorSize;
    constexpr std::nullopt_t none = std::nullopt;
    const M laptop_4k{3840, 2160, 344, 194}; // 15.6 inches, 283 dpi
    const struct {
        const char* what;
        ScaleSources sources;
        double expected;
    } cases[] = {
        {"requested, kept as asked", {1.1, 192.0, laptop_4k}, 1.1},
        {"requested beyond the limit", {20, none, none}, 8},
        {"Xft.dpi before the monitor", {0, 96.0, laptop_4k}, 1},
        {"dpi 144", {0, 144.0, none}, 1.5},
        {"dpi 0: the monitor", {0, 0.0, laptop_4k}, 3},
        {"dpi 107 rounds down to 1", {0, 107.0, none}, 1},
        {"dpi 108 rounds up to 1.25", {0, 108.0, none}, 1.25},
        {"dpi 72 draws smaller", {0, 72.0, none}, 0.75},
        {"dpi 10 at the least", {0, 10.0, none}, 0.5},
        {"dpi 2000 at the most", {0, 2000.0, none}, 8},
        {"no dpi: the monitor", {0, none, laptop_4k}, 3},
        {"27-inch 4K, 163 dpi", {0, none, M{3840, 2160, 597, 336}}, 1.75},
        {"600 dpi, the densest believed", {0, none, M{6000, 6000, 254, 254}}, 6.25},
        {"denser: a size in centimetres", {0, none, M{1920, 1080, 34, 19}}, 1},
        {"low density never shrinks", {0, none, M{1920, 1080, 3000, 1700}}, 1},
        {"no physical size", {0, none, M{1920, 1080, 0, 0}}, 1},
        {"no width in pixels", {0, none, M{0, 2160, 344, 194}}, 1},
        {"an aspect ratio as a size", {0, none, M{1920, 1080, 160, 90}}, 1},
        {"another aspect ratio", {0, none, M{1920, 1200, 160, 100}}, 1},
        {"a 7-inch panel, 160 mm wide", {0, none, M{1024, 600, 160, 94}}, 1.75},
        {"axes 1.5 apart, believed", {0, none, M{3000, 2000, 254, 254}}, 2.5},
        {"axes further apart", {0, none, M{3000, 2000, 254, 255}}, 1},
        {"nothing known", {0, none, none}, 1},
    };
    for (const auto& [what, sources, expected] : cases)
        EXPECT_EQ(display_scale(sources), expected) << what;
}

TEST(DisplayScale, DpiTextIsAPositiveNumber) {
    const std::pair<std::string_view, std::optional<double>> cases[] = {
        {"192", 192.0},          {std::string_view("1925", 3), 192.0},
        {" 144.5\n", 144.5},     {"", std::nullopt},
        {"96dpi", std::nullopt}, {"0", std::nullopt},
        {"-96", std::nullopt},   {"nan", std::nullopt},
        {"inf", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parse_dpi(text), expected) << '"' << text << '"';
}

TEST(DisplayScale, WindowsGrowWithTheScaleWithinTheScreen) {
    // scale, screen -> window of 1280x800 display-independent pixels
    const std::tuple<double, PixelSize, int32_t, int32_t> cases[] = {
        {1.0, {1920, 1080}, 1280, 800},  {2.0, {3840, 2160}, 2560, 1600},
        {1.25, {0, 0}, 1600, 1000},      {2.0, {2560, 1440}, 2304, 1440},
        {2.0, {1800, 3000}, 1800, 1125}, {0.5, {1024, 768}, 640, 400},
    };
    for (const auto& [scale, screen, width, height] : cases) {
        const PixelSize got = scaled_window_size({1280, 800}, scale, screen);
        EXPECT_EQ(std::tie(got.width, got.height), std::tie(width, height))
            << scale << " on " << screen.width << "x" << screen.height;
    }
}

} // namespace
} // namespace zintu
