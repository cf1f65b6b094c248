// Projection, stop placement in travel order, pattern merging, simplification
// and the points of a built shape.
#include "projection.h"
#include "shape_builder.h"
#include "simplify.h"
#include "stop_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace zintu::gtfs {
namespace {

TEST(Projection, NorthIsUpWestIsLargerXAndTheLongerSpanIsTheDefault) {
    GeoBounds bounds;
    bounds.add(40.5, -74.3);
    bounds.add(40.9, -73.7);
    // About 50 km east to west and 44 km south to north, centred on 40.7 N 74.0 W.
    const Vec2 north_east = make_projection(bounds, std::nullopt).project(40.9, -73.7);
    EXPECT_NEAR(north_east.x, -kDefaultMapSpan / 2, 1e-6);
    EXPECT_GT(north_east.y, 0.0);
    const Projection fixed = make_projection(bounds, 100.0);
    EXPECT_NEAR(fixed.project(40.7 + 1.0 / kKmPerDegree, -74.0).y, 100.0, 1e-9);
}

Polyline lollipop() {
    // Stem from (0,0) east to (100,0), loop through (150,50), (200,0),
    // (150,-50), back to (100,0) and down the stem.
    return make_polyline(
        {{0, 0}, {50, 0}, {100, 0}, {150, 50}, {200, 0}, {150, -50}, {100, 0}, {50, 0}, {0, 0}});
}

TEST(StopPlacement, LoopServingStopsTwiceKeepsTravelOrder) {
    const Polyline line = lollipop();
    // A, B, C, E, D, B, A, each a little off the line.
    const std::vector<Vec2> stops = {{0, 2},     {100, 2},  {150, 52}, {202, 0},
                                     {150, -52}, {100, -2}, {0, -2}};
    const auto along = place_stops(line, stops);
    ASSERT_EQ(along.size(), stops.size());
    const double loop = 4 * std::hypot(50.0, 50.0);
    const std::vector<double> expected = {
        0, 100, 100 + loop / 4, 100 + loop / 2, 100 + 3 * loop / 4, 100 + loop, 200 + loop};
    // Each stop lies 2 units off the line, so its foot may lie up to 2 units
    // from the vertex it stands by; what matters is which pass it is on.
    for (size_t i = 0; i < along.size(); ++i)
        EXPECT_NEAR(along[i], expected[i], 2.0) << i;
}

TEST(StopPlacement, FarStopKeepsItsPlaceInOrder) {
    const Polyline line = make_polyline({{0, 0}, {100, 0}, {200, 0}, {300, 0}});
    // The middle stop lies far off the line, nearer to its end than to the
    // middle; it must still come between its neighbours.
    const auto along = place_stops(line, {{0, 0}, {290, 400}, {150, 0}, {300, 0}});
    EXPECT_DOUBLE_EQ(along[0], 0.0);
    EXPECT_LE(along[1], along[2]);
    EXPECT_DOUBLE_EQ(along[2], 150.0);
    EXPECT_DOUBLE_EQ(along[3], 300.0);
}

TEST(StopPlacement, MergedPatternsHoldEveryPatternInOrder) {
    // The base serves 1 2 3 4; a short turn serves 2 3; a variant adds 5
    // between 3 and 4 and skips 2.
    const std::vector<PlacedPattern> patterns = {
        {{1, 2, 3, 4}, {0, 10, 20, 40}},
        {{2, 3}, {10, 20}},
        {{1, 3, 5, 4}, {0, 20, 30, 40}},
    };
    const MergedStops merged = merge_patterns(patterns);
    EXPECT_EQ(merged.stops, (std::vector<int32_t>{1, 2, 3, 5, 4}));
    EXPECT_EQ(merged.along, (std::vector<double>{0, 10, 20, 30, 40}));
    ASSERT_EQ(merged.index_of.size(), 3u);
    EXPECT_EQ(merged.index_of[0], (std::vector<int32_t>{0, 1, 2, 4}));
    EXPECT_EQ(merged.index_of[1], (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(merged.index_of[2], (std::vector<int32_t>{0, 2, 3, 4}));
}

TEST(Simplify, DropsOnlyPointsNearTheLineAndNeverFixedOnes) {
    const std::vector<Vec2> points = {{0, 0},  {10, 0.4}, {20, 0}, {30, 3},
                                      {40, 0}, {50, 0.1}, {60, 0}};
    const std::vector<bool> fixed = {false, false, false, false, false, true, false};
    const auto keep = simplify(points, fixed, 0.5);
    EXPECT_EQ(keep, (std::vector<bool>{true, false, true, true, true, true, true}));
}

TEST(ShapeBuilder, StopsBecomeVerticesAtTheirOwnPositions) {
    // Straight line with a middle stop 40 units off it and a shape running on
    // past the last stop (trimmed away).
    ShapeInput input;
    input.line = {{0, 0}, {100, 0}, {200, 0}, {300, 0}, {400, 0}};
    input.patterns = {{0, 1, 2}};
    const std::vector<Vec2> stops = {{0.2, 0.3}, {150, 40}, {300, 0}};
    const BuiltShape shape = build_shape(input, stops);
    std::vector<int32_t> stop_ids;
    for (const ShapePoint& p : shape.points)
        stop_ids.push_back(p.stop_id);
    EXPECT_EQ(stop_ids, (std::vector<int32_t>{1, 0, 2, 0, 3}));
    EXPECT_EQ(std::tie(shape.points[2].x, shape.points[2].y), std::make_tuple(150, 40));
    EXPECT_EQ(shape.points.back().x, 300); // trimmed at the last stop
    EXPECT_EQ(shape.points.front().dist, 0.0);
    for (size_t i = 1; i < shape.points.size(); ++i) {
        const ShapePoint& p = shape.points[i];
        const ShapePoint& q = shape.points[i - 1];
        EXPECT_DOUBLE_EQ(p.dist - q.dist, std::hypot(p.x - q.x, p.y - q.y));
    }
    EXPECT_EQ(shape.pattern_points, (std::vector<std::vector<int32_t>>{{0, 2, 4}}));
}

// The point rounds onto the first stop where the line turns back.
TEST(ShapeBuilder, TheFirstStopOutlastsAPointRoundedOntoIt) {
    ShapeInput input;
    input.line = {{500, 300}, {500.45, 299.55}, {400, 300}};
    input.patterns = {{0, 1}};
    const BuiltShape shape = build_shape(input, {{500, 300}, {400, 300}});
    ASSERT_EQ(shape.points.size(), 2u);
    EXPECT_EQ(std::tie(shape.points[0].stop_id, shape.points[1].stop_id), std::make_tuple(1, 2));
}

} // namespace
} // namespace zintu::gtfs
