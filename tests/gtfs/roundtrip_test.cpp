// The source file the generator writes, compiled into this test at build time,
// and the network file it writes both hold exactly the tables the generator
// built in memory.
#include "fixture_support.h"
#include "network/network.h"
#include "network/network_file.h"
#include "network_compare.h"
#include "network_file_output.h"
#include "sim/simulation.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zintu::gtfs {
namespace {

// The feeds and featured routes of the build-time generation (CMakeLists.txt).
const std::vector<std::string> kFeeds = {"schedule_feed", "frequency_feed", "loop_feed",
                                         "overnight_feed"};
const std::vector<std::string> kFeatured = {"S", "L"};

TEST(RoundTrip, CompiledTablesEqualTheGeneratedOnes) {
    const Generated g = testing::generate_fixtures(kFeeds, kFeatured);
    const Network compiled = compiled_network();
    EXPECT_EQ(std::memcmp(compiled.header, &g.tables.header, sizeof(NetworkHeader)), 0);
    ASSERT_EQ(compiled.header->frequency_count, static_cast<int32_t>(g.tables.rows.size()));
    for (size_t i = 0; i < g.tables.rows.size(); ++i) {
        const FrequencyRow& a = compiled.frequencies[i];
        const FrequencyRow& b = g.tables.rows[i].row;
        EXPECT_TRUE(a.service_id == b.service_id && a.headway == b.headway &&
                    a.run_time == b.run_time && a.start_time == b.start_time &&
                    a.end_time == b.end_time && a.shape_id == b.shape_id)
            << "row " << i;
    }
    ASSERT_EQ(compiled.shape_count, static_cast<int32_t>(g.tables.shapes.size()));
    for (int32_t id = 0; id < compiled.shape_count; ++id) {
        const auto& points = g.tables.shapes[static_cast<size_t>(id)].points;
        ASSERT_EQ(compiled.shapes[id].shape_size, static_cast<int32_t>(points.size())) << id;
        for (size_t k = 0; k < points.size(); ++k) {
            const ShapePoint& a = compiled.shapes[id].points[k];
            EXPECT_TRUE(a.y == points[k].y && a.x == points[k].x &&
                        a.stop_id == points[k].stop_id &&
                        a.dist == points[k].dist) // the exact double, read back from its text
                << "shape " << id << " point " << k;
        }
    }
    const NetworkInfo& info = compiled.info;
    EXPECT_EQ(info.name, "Fixture Transit");
    EXPECT_EQ(info.time_zone, "Europe/Amsterdam");
    EXPECT_EQ(info.tz_rule, "CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_FALSE(info.has_downtown);
    EXPECT_EQ(info.source, "schedule_feed, frequency_feed, loop_feed, overnight_feed");
    EXPECT_EQ(info.generated, "1970-01-01T00:00:00Z"); // SOURCE_DATE_EPOCH=0
    EXPECT_EQ(info.summary, g.tables.info.summary);
    EXPECT_EQ(compiled.weekday_service_map[0], 2);
    EXPECT_EQ(compiled.weekday_service_map[3], 0);
    EXPECT_EQ(compiled.weekday_service_map[6], 1);
}

TEST(RoundTrip, CompiledNetworkLoadsLikeTheSaver) {
    const Generated g = testing::generate_fixtures(kFeeds, kFeatured);
    Simulation simulation;
    use_network(simulation, compiled_network());
    load_all_runs(simulation);
    EXPECT_EQ(simulation.loading.rows_processed, simulation.network.header->frequency_count);
    for (size_t s = 0; s < 3; ++s)
        EXPECT_EQ(simulation.loading.service_runs[s].count(), g.fidelity.runs[s]) << s;
}

TEST(RoundTrip, NetworkFileHoldsTheGeneratedTables) {
    const Generated g = testing::generate_fixtures(kFeeds, kFeatured);
    LoadedNetwork loaded;
    ASSERT_EQ(decode_network(network_file_bytes(g, "fixture.zintu"), "fixture.zintu", loaded), "");
    NetworkView view(g.tables);
    EXPECT_EQ(zintu::testing::table_difference(view.network(), loaded.view()), "");
    EXPECT_EQ(loaded.source, "schedule_feed, frequency_feed, loop_feed, overnight_feed");
}

} // namespace
} // namespace zintu::gtfs
