// Every invariant of the generated tables is checked before anything is
// written, and a violation points back to the feed record behind it.
#include "fixture_support.h"
#include "validation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

namespace zintu::gtfs {
namespace {

NetworkTables valid_tables() {
    NetworkTables tables;
    tables.shapes.resize(2);
    tables.shapes[1].points = {{0, 0, 1, 0.0}, {4, 3, 0, 5.0}, {4, 3, 2, 5.0}, {4, 13, 3, 15.0}};
    tables.shapes[1].source = {"shapes.txt", 7};
    tables.rows.push_back({FrequencyRow{1, 600, 900, 21600, 25200, 1}, {"trips.txt", 3}});
    tables.header = compute_header(tables);
    return tables;
}

TEST(Validation, EachInvariantIsCheckedWithItsSource) {
    EXPECT_NO_THROW(validate_tables(valid_tables()));
    auto row = [](NetworkTables& t) -> FrequencyRow& { return t.rows[0].row; };
    auto points = [](NetworkTables& t) -> std::vector<ShapePoint>& { return t.shapes[1].points; };
    const std::string row0 = "trips.txt:3: frequency row 0: ", shape1 = "shapes.txt:7: shape 1: ";
    // clang-format off
    const std::tuple<std::string, std::function<void(NetworkTables&)>, bool> cases[] = {
        // the error; the change; whether the header is kept as it was rather than recomputed
        {row0 + "service_id 4 is not 1, 2 or 3", [&](auto& t) { row(t).service_id = 4; }, false},
        {row0 + "service_id 0 is not 1, 2 or 3", [&](auto& t) { row(t).service_id = 0; }, false},
        {row0 + "headway is below 1 second", [&](auto& t) { row(t).headway = 0; }, false},
        {row0 + "the window 0 to 25200 yields no departure",
         [&](auto& t) { row(t).start_time = 0; }, false},
        {row0 + "the window 21600 to 21600 yields no departure",
         [&](auto& t) { row(t).end_time = 21600; }, false},
        {row0 + "shape_id 2 is outside the shape table",
         [&](auto& t) { row(t).shape_id = 2; }, false},
        {row0 + "shape 1 has no stop point",
         [&](auto& t) { for (auto& p : points(t)) p.stop_id = 0; }, false},
        {shape1 + "dist does not start at 0", [&](auto& t) { points(t)[0].dist = 1.0; }, false},
        {shape1 + "the shape has no length",
         [&](auto& t) { points(t) = {{0, 0, 1, 0.0}, {0, 0, 2, 0.0}}; }, false},
        {shape1 + "dist decreases at point 3", [&](auto& t) { points(t)[3].dist = 4.0; }, false},
        {shape1 + "points 1 and 2 differ but share a dist",
         [&](auto& t) { points(t)[2].x = 4; }, false},
        {shape1 + "dist does not follow the polyline at point 3",
         [&](auto& t) { points(t)[3].dist = 16.0; }, false},
        {shape1 + "negative stop_id", [&](auto& t) { points(t)[1].stop_id = -5; }, false},
        {"the header does not match the extremes of the shape points",
         [&](auto& t) { t.header.x_max = 99; }, true},
        {"the header does not match the extremes of the shape points",
         [&](auto& t) { t.header.frequency_count = 2; }, true},
        {"shape table entry 0 must exist and be empty",
         [&](auto& t) { t.shapes[0].points = {{0, 0, 1, 0.0}}; }, false},
    };
    // clang-format on
    for (const auto& [message, change, keep_header] : cases) {
        NetworkTables tables = valid_tables();
        change(tables);
        if (!keep_header) tables.header = compute_header(tables);
        EXPECT_EQ(testing::error_of([&] { validate_tables(tables); }), message);
    }
}

TEST(Validation, HeaderCentreRoundsDownForOddSums) {
    NetworkTables tables = valid_tables();
    tables.shapes[1].points = {{-3, -3, 1, 0.0}, {0, 0, 2, std::hypot(3.0, 3.0)}};
    const NetworkHeader h = compute_header(tables);
    EXPECT_EQ(h.y_center, -2);
    EXPECT_EQ(h.x_span, 3);
    EXPECT_EQ(h.frequency_count, 1);
}

} // namespace
} // namespace zintu::gtfs
