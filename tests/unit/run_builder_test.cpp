// Run builder and loading pass: stop timing rules, departures of a window,
// rows that yield nothing, and how the work spreads over frames.
#include "network/run_builder.h"
#include "test_network.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <unistd.h>

namespace zintu {
namespace {

using testing::row;
using testing::stops_at_dists;
using testing::TestNetwork;

// Builds every row of `net` with one call per row.
void build_all(TestNetwork& net, LoadingState& loading) {
    Network network = net.network();
    for (int32_t i = 0; i < network.header->frequency_count; ++i)
        build_runs(network, loading, i);
}

TEST(StopTiming, WorkedExampleStretchesEndAndTruncates) {
    TestNetwork net;
    const int32_t shape = net.add_shape(stops_at_dists({0, 391, 395, 400}));
    net.add_row(row(1, 3600, 600, 3600, 3601, shape));
    LoadingState loading;
    build_all(net, loading);

    ASSERT_EQ(loading.service_runs[0].count(), 1);
    const zintu::Run& run = loading.service_runs[0].runs[0];
    EXPECT_EQ(run.start, 3600);
    EXPECT_EQ(run.end, 4214);
    ASSERT_EQ(run.stop_count, 4);
    const int32_t arrivals[] = {3600, 4186, 4196, 4205};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(run.stops[k].arrival, arrivals[k]) << "stop " << k;
        EXPECT_EQ(run.stops[k].departure, arrivals[k] + 9) << "stop " << k;
        EXPECT_EQ(run.stops[k].point_index, k);
        EXPECT_EQ(run.stops[k].stop_id, k + 1);
    }
}

TEST(StopTiming, EqualDistancesArriveOneSecondAfterDeparture) {
    TestNetwork net;
    const int32_t shape = net.add_shape(stops_at_dists({0, 500, 500, 1000}));
    net.add_row(row(1, 600, 1000, 7200, 7201, shape));
    LoadingState loading;
    build_all(net, loading);
    const zintu::Run& run = loading.service_runs[0].runs[0];
    EXPECT_EQ(run.stops[1].arrival, 7700);
    EXPECT_EQ(run.stops[2].arrival, run.stops[1].departure + 1);
    EXPECT_EQ(run.stops[2].arrival, run.stops[1].arrival + 10);
}

TEST(StopTiming, PlainVerticesAtTheEndsShiftTheFirstAndLastStop) {
    TestNetwork net;
    // Plain vertex first and last: the first stop is reached after the
    // departure, the last before the end, and the end is not stretched.
    const int32_t shape = net.add_shape(
        {{0, 0, 0, 0.0}, {0, 100, 7, 100.0}, {0, 900, 8, 900.0}, {0, 1000, 0, 1000.0}});
    net.add_row(row(2, 60, 1000, 40000, 40001, shape));
    LoadingState loading;
    build_all(net, loading);
    const zintu::Run& run = loading.service_runs[1].runs[0];
    EXPECT_EQ(run.stop_count, 2);
    EXPECT_EQ(run.stops[0].arrival, 40100);
    EXPECT_EQ(run.stops[0].point_index, 1);
    EXPECT_EQ(run.stops[1].arrival, 40900);
    EXPECT_EQ(run.stops[1].point_index, 2);
    EXPECT_EQ(run.end, 41000);
}

TEST(StopTiming, StopCarriesItsPointAsFloats) {
    TestNetwork net;
    const int32_t shape = net.add_shape({{7482, 3866, 12, 0.0}, {7490, 3870, 13, 10.0}});
    net.add_row(row(3, 60, 100, 100, 101, shape));
    LoadingState loading;
    build_all(net, loading);
    const StopTiming& stop = loading.service_runs[2].runs[0].stops[1];
    EXPECT_EQ(stop.stop_id, 13);
    EXPECT_EQ(stop.y, 7490.0f);
    EXPECT_EQ(stop.x, 3870.0f);
}

TEST(Departures, WindowYieldsEveryHeadwayBeforeItsEnd) {
    struct Case {
        const char* name;
        int32_t headway, start, end;
        int32_t runs, last_start;
    } cases[] = {
        {"exact multiple excludes the end", 282, 21780, 32400, 38, 32214},
        {"window shorter than headway", 900, 30000, 30100, 1, 30000},
        {"one second window", 60, 30000, 30001, 1, 30000},
        {"window after midnight", 480, 86820, 93360, 14, 93060},
        {"end exactly one headway after start", 600, 3600, 4200, 1, 3600},
    };
    for (const Case& c : cases) {
        TestNetwork net;
        const int32_t shape = net.add_shape(stops_at_dists({0, 10}));
        net.add_row(row(1, c.headway, 3540, c.start, c.end, shape));
        LoadingState loading;
        build_all(net, loading);
        const auto& runs = loading.service_runs[0].runs;
        ASSERT_EQ(static_cast<int32_t>(runs.size()), c.runs) << c.name;
        EXPECT_EQ(runs.back().start, c.last_start) << c.name;
        for (std::size_t i = 1; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].start - runs[i - 1].start, c.headway) << c.name;
        }
    }
}

TEST(Departures, TimesPastMidnightAreNotWrapped) {
    TestNetwork net;
    const int32_t shape = net.add_shape(stops_at_dists({0, 600, 1200}));
    net.add_row(row(1, 900, 1500, 86400, 94320, shape));
    LoadingState loading;
    build_all(net, loading);
    const zintu::Run& last = loading.service_runs[0].runs.back();
    EXPECT_EQ(last.start, 86400 + 8 * 900);
    EXPECT_GT(last.stops[2].arrival, 86400 + 8 * 900);
    EXPECT_EQ(last.end, last.stops[2].departure);
}

TEST(RowsThatYieldNothing, AreMarkedAndCountedOnce) {
    struct Case {
        const char* name;
        FrequencyRow r;
    };
    TestNetwork net;
    const int32_t good = net.add_shape(stops_at_dists({0, 10}));
    const int32_t empty = net.add_empty_shape();
    const int32_t no_stops = net.add_shape({{0, 0, 0, 0.0}, {0, 10, 0, 10.0}});
    const int32_t zero_length = net.add_shape({{0, 0, 1, 0.0}, {0, 0, 2, 0.0}});
    const Case cases[] = {
        {"empty window", row(1, 840, 1680, 23220, 23220, good)},
        {"reversed window", row(1, 840, 1680, 23220, 20000, good)},
        {"zero start", row(1, 600, 900, 0, 3600, good)},
        {"zero end", row(1, 600, 900, 3600, 0, good)},
        {"shape id 0", row(1, 600, 900, 3600, 7200, 0)},
        {"empty shape", row(2, 600, 900, 3600, 7200, empty)},
        {"shape without stops", row(3, 600, 900, 3600, 7200, no_stops)},
        {"shape outside the table", row(1, 600, 900, 3600, 7200, 99)},
        {"negative shape id", row(1, 600, 900, 3600, 7200, -3)},
        {"zero headway", row(1, 0, 900, 3600, 7200, good)},
        {"negative headway", row(1, -60, 900, 3600, 7200, good)},
        {"zero final distance", row(1, 600, 900, 3600, 7200, zero_length)},
    };
    for (const Case& c : cases)
        net.add_row(c.r);
    Network network = net.network();
    LoadingState loading;
    for (int32_t i = 0; i < network.header->frequency_count; ++i) {
        build_runs(network, loading, i);
        EXPECT_EQ(loading.rows_processed, i + 1) << cases[i].name;
        EXPECT_EQ(loading.loaded[i], 1) << cases[i].name;
    }
    for (const ServiceRuns& list : loading.service_runs)
        EXPECT_EQ(list.count(), 0);
}

TEST(RowsThatYieldNothing, LoadingStillReachesEveryRow) {
    TestNetwork net;
    const int32_t good = net.add_shape(stops_at_dists({0, 10}));
    net.add_row(row(1, 600, 900, 3600, 3600, good));
    net.add_row(row(1, 600, 900, 3600, 4200, good));
    Network network = net.network();
    LoadingState loading;
    loading_pass(network, loading);
    loading_pass(network, loading);
    EXPECT_EQ(loading.rows_processed, network.header->frequency_count);
    EXPECT_TRUE(loading.loading_complete);
}

// Runs the row in a child whose standard output is its standard error, so the
// diagnostic can be matched.
void build_bad_service_row(int32_t service_id) {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    TestNetwork net;
    const int32_t shape = net.add_shape(stops_at_dists({0, 10}));
    net.add_row(row(service_id, 600, 900, 3600, 7200, shape));
    Network network = net.network();
    LoadingState loading;
    build_runs(network, loading, 0);
}

TEST(RowsOutsideTheServices, EndTheProcessWithStatusOne) {
    for (int32_t service_id : {4, 0, -1}) {
        EXPECT_EXIT(build_bad_service_row(service_id), ::testing::ExitedWithCode(1), "^dah\n$")
            << "service_id " << service_id;
    }
}

TEST(LoadingPass, SpreadsRowsOverFramesWithACapOf501) {
    TestNetwork net;
    const int32_t shape = net.add_shape(stops_at_dists({0, 10}));
    for (int i = 0; i < 5276; ++i)
        net.add_row(row(1 + i % 3, 600, 900, 3600, 4200, shape));
    Network network = net.network();
    LoadingState loading;
    for (int pass = 1; pass <= 10; ++pass) {
        loading_pass(network, loading);
        EXPECT_EQ(loading.rows_processed, 501 * pass);
        EXPECT_FALSE(loading.loading_complete);
    }
    loading_pass(network, loading);
    EXPECT_EQ(loading.rows_processed, 5276);
    EXPECT_FALSE(loading.loading_complete) << "the 11th pass still handled rows";
    loading_pass(network, loading);
    EXPECT_TRUE(loading.loading_complete);
    EXPECT_EQ(loading.rows_processed, 5276);
    loading_pass(network, loading);
    EXPECT_EQ(loading.rows_processed, 5276);
    const int32_t total = loading.service_runs[0].count() + loading.service_runs[1].count() +
                          loading.service_runs[2].count();
    EXPECT_EQ(total, 5276);
}

TEST(LoadingPass, SkipsHandledRowsWithoutCountingThemAgainstTheCap) {
    TestNetwork net;
    const int32_t shape = net.add_shape(stops_at_dists({0, 10}));
    for (int i = 0; i < 1000; ++i)
        net.add_row(row(1, 600, 900, 3600 + i, 3601 + i, shape));
    // Rows already handled by an earlier pass, scattered through the table.
    Network network = net.network();
    LoadingState loading;
    loading.loaded.assign(1000, 0);
    for (int i = 0; i < 1000; i += 2)
        loading.loaded[i] = 1;
    loading_pass(network, loading);
    EXPECT_EQ(loading.rows_processed, 500) << "all 500 unhandled rows fit in one pass";
    loading_pass(network, loading);
    EXPECT_TRUE(loading.loading_complete);
}

TEST(LoadingPass, ListsKeepTableOrderAndDepartureOrder) {
    TestNetwork net;
    const int32_t a = net.add_shape(stops_at_dists({0, 10}));
    const int32_t b = net.add_shape(stops_at_dists({0, 20}));
    net.add_row(row(1, 600, 900, 7200, 8400, b));
    net.add_row(row(2, 600, 900, 3600, 4800, a));
    net.add_row(row(1, 600, 900, 3600, 4800, a));
    Network network = net.network();
    LoadingState loading;
    loading_pass(network, loading);
    const auto& weekday = loading.service_runs[0].runs;
    ASSERT_EQ(weekday.size(), 4u);
    const int32_t expected[][2] = {{b, 7200}, {b, 7800}, {a, 3600}, {a, 4200}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(weekday[i].shape_id, expected[i][0]);
        EXPECT_EQ(weekday[i].start, expected[i][1]);
    }
    EXPECT_EQ(loading.service_runs[1].count(), 2);
}

// The timing invariants every finished run keeps, checked on the demo data set.
TEST(RunInvariants, HoldForEveryRunOfTheDemoNetwork) {
    const Network network = compiled_network();
    LoadingState loading;
    while (!loading.loading_complete)
        loading_pass(network, loading);
    int32_t runs = 0;
    for (const ServiceRuns& list : loading.service_runs) {
        for (const zintu::Run& run : list.runs) {
            ++runs;
            const ShapeEntry& shape = network.shapes[run.shape_id];
            ASSERT_GE(run.stop_count, 1);
            int32_t max_departure = 0;
            for (int32_t k = 0; k < run.stop_count; ++k) {
                const StopTiming& s = run.stops[k];
                EXPECT_EQ(s.departure, s.arrival + kDwellSeconds);
                max_departure = std::max(max_departure, s.departure);
                if (k == 0) continue;
                EXPECT_GT(s.point_index, run.stops[k - 1].point_index);
                EXPECT_GE(s.arrival, run.stops[k - 1].departure);
            }
            EXPECT_GE(run.stops[0].arrival, run.start);
            if (shape.points[0].stop_id != 0) {
                EXPECT_EQ(run.stops[0].arrival, run.start);
            }
            EXPECT_GE(run.end, max_departure);
        }
    }
    EXPECT_GT(runs, 0);
    EXPECT_EQ(loading.rows_processed, network.header->frequency_count);
}

} // namespace
} // namespace zintu
