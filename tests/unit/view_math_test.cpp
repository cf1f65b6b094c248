// Pure view arithmetic: projection, zoom, glyphs and the overlay's lines.
#include "render/glyph_geometry.h"
#include "render/overlay_text.h"
#include "render/projection.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zintu {
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

// Four times the scale, centred 750 units south of the middle, or on the
// network's downtown point; the full view is not moved.
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

TEST(Glyphs, StylesByShapeId) {
    const std::tuple<int32_t, float, float, float, double, double> cases[] = {
        // red, green, blue, half width, half length
        {1, 1.0f, 0.7764706f, 0.0f, 7.5, 20},        {2, 1.0f, 0.7764706f, 0.0f, 7.5, 20},
        {3, 0.17254902f, 0.7411765f, 0.0f, 7.5, 20}, {6, 0.5568628f, 0.0f, 0.7411765f, 7.5, 20},
        {8, 0.0f, 0.7490196f, 0.79607844f, 7.5, 20}, {9, 0.8f, 0.4f, 0.4f, 5, 10},
    };
    for (const auto& [shape_id, red, green, blue, w, l] : cases) {
        const GlyphStyle& s = glyph_style(shape_id);
        EXPECT_EQ(std::tie(s.red, s.green, s.blue, s.alpha, s.half_width, s.half_length),
                  std::make_tuple(red, green, blue, 1.0f, w, l))
            << shape_id;
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

} // namespace
} // namespace zintu
