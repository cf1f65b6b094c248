// Featured shapes get ids 1 to 8 by route and direction; the rest follow in order.
#include "fixture_support.h"
#include "id_assignment.h"

#include <gtest/gtest.h>

namespace zintu::gtfs {
namespace {

using Ends = std::vector<std::pair<Vec2, Vec2>>;

TEST(ShapeIds, BusiestShapeOfEachDirectionInTheOrderGiven) {
    // Shapes 0..6: route A has 0 (dir 0, 10 trips), 1 (dir 0, 30 trips) and
    // 2 (dir 1, 25 trips); route B has 3 (dir 1) and 4 (dir 0); C and D run
    // one way each, C on 5 in direction 0 and D on 6 in direction 1.
    const std::vector<ShapeTally> tallies = {
        {0, "A", 0, 10}, {1, "A", 0, 30}, {2, "A", 1, 25}, {3, "B", 1, 5},
        {4, "B", 0, 7},  {5, "C", 0, 99}, {6, "D", 1, 3},
    };
    const ShapeIds ids = assign_shape_ids(7, tallies, Ends(7), {"B", "A", "C", "D"});
    EXPECT_EQ(ids.id_of, (std::vector<int32_t>{9, 3, 4, 2, 1, 5, 8}));
    EXPECT_EQ(ids.shape_count, 10);
    EXPECT_EQ(ids.featured_routes, (std::vector<std::string>{"B", "A", "C", "D"}));
}

TEST(ShapeIds, WithoutDirectionsTheOppositeShapeIsFoundByItsEnds) {
    // Route L: 0 runs north, drifting west (busiest), 1 back, 2 north again. No
    // direction_id anywhere. Only the whole product of the headings tells them apart.
    const std::vector<ShapeTally> tallies = {{0, "L", -1, 50}, {1, "L", -1, 20}, {2, "L", -1, 40}};
    const Ends ends = {
        {{1000, 2000}, {990, 2100}}, {{990, 2105}, {1000, 2005}}, {{1000, 2009}, {991, 2099}}};
    const ShapeIds ids = assign_shape_ids(3, tallies, ends, {"L"});
    EXPECT_EQ(ids.id_of, (std::vector<int32_t>{1, 2, 9}));
}

TEST(ShapeIds, BadFeaturedRoutesAreErrors) {
    const std::vector<ShapeTally> tallies = {{0, "A", 0, 1}};
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"Z"}, "--feature Z: no trip of route 'Z' runs on the chosen days"},
        {{"A", "A"}, "--feature A: route named twice"},
        {{"A", "B", "C", "D", "E"}, "at most 4 featured routes"},
    };
    for (const auto& [featured, message] : cases)
        EXPECT_EQ(testing::error_of([&] { assign_shape_ids(1, tallies, Ends(1), featured); }),
                  message);
}

// --feature takes a route_id, or a short name that names one route (of
// several, the one that runs on the chosen days).
TEST(ShapeIds, FeaturedRoutesByIdOrShortName) {
    std::vector<NamedRoute> routes = {{"A", "4", true},
                                      {"B", "4", true},
                                      {"C", "N", true},
                                      {"D", "N", false},
                                      {"E", "Q", false},
                                      {"F", "Q", false},
                                      {"X12-2024SEP", "X12", false},
                                      {"X12-2025JAN", "X12", true},
                                      {"G", "A", true}};
    for (int i = 0; i < 10; ++i)
        routes.push_back({"M" + std::to_string(i), "M", true});
    using V = std::vector<std::string>;
    const std::pair<V, std::string> ok[] = {
        {{"C", "N", "X12", "A"}, "C C X12-2025JAN A"}, // a route_id before a short name
        {{"E"}, "E"}, // that it does not run is for the shape ids to say
    };
    for (const auto& [featured, ids] : ok) {
        std::string got;
        for (const std::string& id : resolve_featured(featured, routes))
            got += (got.empty() ? "" : " ") + id;
        EXPECT_EQ(got, ids);
    }
    const std::pair<std::string, std::string> errors[] = {
        {"4", "--feature 4: the route_short_name of 2 routes running on the chosen days: 'A', 'B'; "
              "name one by its route_id"},
        {"Q", "--feature Q: the route_short_name of 2 routes: 'E', 'F'; name one by its route_id"},
        {"Z", "--feature Z: no route has this route_id or route_short_name"},
        {"M", "--feature M: the route_short_name of 10 routes running on the chosen days: 'M0', "
              "'M1', 'M2', 'M3', 'M4', 'M5', 'M6', 'M7' and 2 more; name one by its route_id"},
    };
    for (const auto& [value, message] : errors)
        EXPECT_EQ(testing::error_of([&] { resolve_featured({"C", value}, routes); }), message);
}

} // namespace
} // namespace zintu::gtfs
