// The source the generator writes (compiled in at build time) and its network
// file hold exactly the tables built in memory; the report gives their figures.
#include "fixture_support.h"
#include "id_assignment.h"
#include "network/network.h"
#include "network/network_file.h"
#include "network/route_kinds.h"
#include "network_compare.h"
#include "network_file_output.h"
#include "report.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zintu::gtfs {
namespace {

TEST(RoundTrip, CompiledAndFileNetworksHoldTheGeneratedTables) {
    // The feeds and featured routes of the build-time generation (CMakeLists.txt).
    const Generated g = testing::generate_fixtures(
        {"schedule_feed", "frequency_feed", "loop_feed", "overnight_feed"}, {"S", "L"});
    NetworkView generated(g.tables);
    const Network compiled = compiled_network();
    // Every dist is the exact double, read back from its text.
    EXPECT_EQ(zintu::testing::table_difference(generated.network(), compiled), "");
    EXPECT_EQ(std::vector<int32_t>(compiled.weekday_service_map, compiled.weekday_service_map + 7),
              (std::vector<int32_t>{2, 0, 0, 0, 0, 0, 1}));
    const NetworkInfo& info = compiled.info;
    const char* source = "schedule_feed, frequency_feed, loop_feed, overnight_feed";
    EXPECT_EQ(std::tie(info.name, info.time_zone, info.tz_rule, info.source, info.generated,
                       info.has_downtown),
              std::make_tuple("Fixture Transit", "Europe/Amsterdam", "CET-1CEST,M3.5.0,M10.5.0/3",
                              source, "1970-01-01T00:00:00Z", false)); // SOURCE_DATE_EPOCH=0
    EXPECT_EQ(info.summary, g.tables.info.summary);
    // Featured routes choose the featured colours; the routes keep their own.
    EXPECT_EQ(std::tie(info.colours, info.week),
              std::make_tuple(NetworkColours::Featured, "2026-09-14"));
    const RouteCounts routes = count_routes(compiled);
    EXPECT_EQ(std::tie(routes.routes, routes.coloured), std::make_tuple(4, 2));
    EXPECT_EQ(routes.by_kind, (std::array<int64_t, kRouteKindCount>{1, 0, 1, 2}));

    LoadedNetwork loaded;
    ASSERT_EQ(decode_network(network_file_bytes(g, "fixture.zintu"), "fixture.zintu", loaded), "");
    EXPECT_EQ(zintu::testing::table_difference(generated.network(), loaded.view()), "");
    EXPECT_EQ(loaded.source, source);

    const std::string report = write_report(g, {});
    for (const char* line : {
             "- 17 frequency rows: 8 for service 1, 6 for service 2, 3 for service 3.\n",
             "- `start_time` runs from 1 to 88,200, and `end_time` from 3,601 to 91,800.\n",
             "A row yields from 1 to 36 departures, about 4.8 on average.\n",
             "- The shape table has 11 entries: 4 with points and 7 empty, entry 0 among them.",
             "- The final `dist` of a shape lies between 310.0 and 1813.8.\n",
             " pairs, every count matches (",
             "- Header: `y` from -2,650 to 2,650, `x` from -1,859 to 1,859; `y_span` 5,300, "
             "`x_span` 3,718, `y_center` 0, `x_center` 0.\n",
             "- The run builder makes 82 runs (69 for service 1, 9 for service 2, 4 for service 3) "
             "with 293 stop timings in all.",
             "\n| 25:00 | 1 | 1 | 1 | 1 | 0 | 0 |\n", // vehicles on the road, real and generated
         })
        EXPECT_NE(report.find(line), std::string::npos) << line;
}

TEST(RoundTrip, ANetworkWithoutFeaturedRoutesChoosesLineColours) {
    const Generated g = testing::generate_fixtures({"loop_feed"});
    LoadedNetwork loaded;
    ASSERT_EQ(decode_network(network_file_bytes(g, "loop.zintu"), "loop.zintu", loaded), "");
    EXPECT_EQ(loaded.colours, NetworkColours::Lines);
    const ShapeStyle& style = loaded.shape_styles[kFirstPlainShapeId];
    EXPECT_EQ(std::tie(style.colour, style.kind, style.route),
              std::make_tuple(0xFFD700u, RouteKind::Tram, 1));
    EXPECT_EQ(loaded.shape_styles[0].route, 0);
    // Its runs match the timetable exactly, and the report says where.
    EXPECT_EQ(on_road_headline(g.fidelity),
              "- Over every quarter hour with a vehicle on the road, the largest difference is 0 "
              "vehicles (service 1 at 09:00:00: 1 generated, 1 in the timetable), and the largest "
              "relative difference 0.00 % (service 1 at 09:00:00: 1 generated, 1 in the "
              "timetable).\n");
}

} // namespace
} // namespace zintu::gtfs
