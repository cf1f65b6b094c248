// Pure view arithmetic: the map projection, the zoom level, glyph styles and
// corners, and where the overlay's lines stand.
#include "render/glyph_geometry.h"
#include "render/overlay_text.h"
#include "render/projection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zintu {
namespace {

NetworkHeader header(int32_t x_span, int32_t y_span, int32_t x_center, int32_t y_center) {
    NetworkHeader h{};
    h.x_span = x_span;
    h.y_span = y_span;
    h.x_center = x_center;
    h.y_center = y_center;
    return h;
}

TEST(Projection, WiderThanTallShowsTheFullWidth) {
    const Projection p = map_projection(header(5276, 3126, 3866, 7482));
    EXPECT_EQ(p.view_aspect, 1.0548625f);
    EXPECT_EQ(p.box.left, 6504.0);
    EXPECT_EQ(p.box.right, 1228.0);
    EXPECT_NEAR(p.box.bottom, 5833.25, 1e-3);
    EXPECT_NEAR(p.box.top, 9130.75, 1e-3);
}

TEST(Projection, TallerThanWideShowsTheFullHeight) {
    const Projection p = map_projection(header(1000, 2000, 500, 1000));
    EXPECT_EQ(p.view_aspect, 0.3125f);
    EXPECT_EQ(p.box.left, 500.0 + 1600.0);
    EXPECT_EQ(p.box.right, 500.0 - 1600.0);
    EXPECT_EQ(p.box.bottom, 0.0);
    EXPECT_EQ(p.box.top, 2000.0);
    // Always 1.6 : 1.
    EXPECT_DOUBLE_EQ((p.box.left - p.box.right) / (p.box.top - p.box.bottom), 1.6);
}

TEST(Projection, EqualSpansTakeTheWiderBranch) {
    const Projection p = map_projection(header(2000, 2000, 0, 0));
    EXPECT_EQ(p.box.left, 1000.0);
    EXPECT_EQ(p.box.right, -1000.0);
    EXPECT_EQ(p.box.top, 625.0);
    EXPECT_EQ(p.box.bottom, -625.0);
}

TEST(Projection, ALineOrAPointIsFramedWithoutDividingByZero) {
    struct Case {
        int32_t x_span, y_span;
        double left, top;
    } cases[] = {
        {1600, 0, 800.0, 500.0}, // a line along x: its length across
        {0, 1000, 800.0, 500.0}, // a line along y: its length up
        {0, 0, 1.0, 0.625},      // a point
        {1, 1000, 800.0, 500.0}, // one unit wide: no half-span to frame with
    };
    for (const Case& c : cases) {
        const Projection p = map_projection(header(c.x_span, c.y_span, 0, 0));
        EXPECT_EQ(p.box.left, c.left) << c.x_span << "x" << c.y_span;
        EXPECT_EQ(p.box.right, -c.left) << c.x_span << "x" << c.y_span;
        EXPECT_EQ(p.box.top, c.top) << c.x_span << "x" << c.y_span;
        EXPECT_EQ(p.box.bottom, -c.top) << c.x_span << "x" << c.y_span;
    }
}

TEST(Projection, DowntownZoomsFourTimesAboutThePannedCentre) {
    const NetworkHeader h = header(5276, 3126, 3866, 7482);
    const Network network{&h, nullptr, nullptr, 0, nullptr, {}};
    ViewState full;
    apply_zoom_level(full, network, false);
    EXPECT_EQ(full.zoom, 1.0f);
    EXPECT_EQ(full.pan_y, 0);

    ViewState downtown;
    apply_zoom_level(downtown, network, true);
    EXPECT_EQ(downtown.zoom, 4.0f);
    EXPECT_EQ(downtown.pan_y, 750);
    const ViewportPoint centre = map_to_viewport(h, downtown, 3866, 6732, 1280, 800);
    EXPECT_NEAR(centre.x, 640.0, 1e-9);
    EXPECT_NEAR(centre.y, 400.0, 1e-9);
    // The edges of the downtown view, in map units.
    EXPECT_NEAR(map_to_viewport(h, downtown, 4525.5, 6732, 1280, 800).x, 0.0, 1e-9);
    EXPECT_NEAR(map_to_viewport(h, downtown, 3206.5, 6732, 1280, 800).x, 1280.0, 1e-9);
    EXPECT_NEAR(map_to_viewport(h, downtown, 3866, 6319.8125, 1280, 800).y, 0.0, 1e-3);
    EXPECT_NEAR(map_to_viewport(h, downtown, 3866, 7144.1875, 1280, 800).y, 800.0, 1e-3);
    // The full view: larger map x further left.
    EXPECT_NEAR(map_to_viewport(h, full, 6504, 5833.25, 1280, 800).x, 0.0, 1e-9);
    EXPECT_NEAR(map_to_viewport(h, full, 1228, 9130.75, 1280, 800).y, 800.0, 1e-3);
}

TEST(Projection, DowntownCentresOnTheNetworksDowntownPoint) {
    const NetworkHeader h = header(5276, 3126, 3866, 7482);
    NetworkInfo info;
    info.has_downtown = true;
    info.downtown_x = 3000;
    info.downtown_y = 8000;
    const Network network{&h, nullptr, nullptr, 0, nullptr, info};
    ViewState downtown;
    apply_zoom_level(downtown, network, true);
    EXPECT_EQ(downtown.zoom, 4.0f);
    EXPECT_EQ(downtown.pan_x, 866);
    EXPECT_EQ(downtown.pan_y, -518);
    const ViewportPoint centre = map_to_viewport(h, downtown, 3000, 8000, 1280, 800);
    EXPECT_NEAR(centre.x, 640.0, 1e-9);
    EXPECT_NEAR(centre.y, 400.0, 1e-9);
    ViewState full;
    apply_zoom_level(full, network, false);
    EXPECT_EQ(full.pan_x, 0) << "the full view ignores the point";
}

TEST(Glyphs, StylesByShapeId) {
    struct Case {
        int32_t shape_id;
        float red, green, blue;
        double w, l;
    } cases[] = {
        {1, 1.0f, 0.7764706f, 0.0f, 7.5, 20},
        {2, 1.0f, 0.7764706f, 0.0f, 7.5, 20},
        {3, 0.17254902f, 0.7411765f, 0.0f, 7.5, 20},
        {6, 0.5568628f, 0.0f, 0.7411765f, 7.5, 20},
        {8, 0.0f, 0.7490196f, 0.79607844f, 7.5, 20},
        {9, 0.8f, 0.4f, 0.4f, 5, 10},
        {674, 0.8f, 0.4f, 0.4f, 5, 10},
    };
    for (const Case& c : cases) {
        const GlyphStyle& s = glyph_style(c.shape_id);
        EXPECT_EQ(s.red, c.red) << c.shape_id;
        EXPECT_EQ(s.green, c.green) << c.shape_id;
        EXPECT_EQ(s.blue, c.blue) << c.shape_id;
        EXPECT_EQ(s.alpha, 1.0f) << c.shape_id;
        EXPECT_EQ(s.half_width, c.w) << c.shape_id;
        EXPECT_EQ(s.half_length, c.l) << c.shape_id;
    }
}

TEST(Glyphs, CornersRunBackThenFront) {
    struct Case {
        int32_t shape_id;
        float heading;
        float x[4], y[4];
    } cases[] = {
        {1, 0.0f, {-20, -20, 20, 20}, {7.5f, -7.5f, -3.75f, 3.75f}},
        {9, static_cast<float>(1.5707963), {-5, 5, 2.5f, -2.5f}, {-10, -10, 10, 10}},
    };
    for (const Case& c : cases) {
        const GlyphCorners corners = glyph_corners(0.0f, 0.0f, c.heading, glyph_style(c.shape_id));
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(corners.x[i], c.x[i], 1e-5) << "corner " << i;
            EXPECT_NEAR(corners.y[i], c.y[i], 1e-5) << "corner " << i;
        }
    }
    // Placed at P, the corners move with it.
    const GlyphCorners moved = glyph_corners(3866.0f, 7482.0f, 0.0f, glyph_style(1));
    EXPECT_NEAR(moved.x[0], 3846.0f, 1e-3);
    EXPECT_NEAR(moved.y[3], 7485.75f, 1e-3);
}

TEST(Overlay, BaselinesAreFractionsOfTheViewport) {
    const OverlayLayout layout = overlay_layout();
    EXPECT_EQ(layout.left, 0.350625f);
    EXPECT_EQ(layout.first_baseline, 8.888889f);
    EXPECT_EQ(layout.line_step, -0.7f);
    EXPECT_NEAR(overlay_baseline_fraction(0), 0.88889, 1e-5);
    EXPECT_NEAR(overlay_baseline_fraction(1), 0.81889, 1e-5);
    EXPECT_NEAR(overlay_baseline_fraction(2), 0.76289, 1e-5);
}

} // namespace
} // namespace zintu
