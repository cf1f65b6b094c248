// Run builder and loading pass: stop times, departures, rows that yield
// nothing, and how the work spreads over frames.
#include "network/run_builder.h"
#include "test_network.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include <unistd.h>

namespace zintu {
namespace {

using testing::stops_at_dists;
using testing::TestNetwork;

// Builds every row of `net` with one call per row.
LoadingState build_all(TestNetwork& net) {
    Network network = net.network();
    LoadingState loading;
    for (int32_t i = 0; i < network.header->frequency_count; ++i)
        build_runs(network, loading, i);
    return loading;
}

TEST(StopTiming, ArrivalsInterpolateTruncateAndStretchTheEnd) {
    // clang-format off
    const struct {
        const char* name;
        std::vector<ShapePoint> shape;
        int32_t service_id, run_time, start, end;
        std::vector<int32_t> arrivals, point_indices;
    } cases[] = {
        {"the worked example: truncated times, the end stretched by the last dwell",
         stops_at_dists({0, 391, 395, 400}), 1, 600, 3600, 4214,
         {3600, 4186, 4196, 4205}, {0, 1, 2, 3}},
        {"equal distances arrive one second after the departure",
         stops_at_dists({0, 500, 500, 1000}), 3, 1000, 7200, 8209,
         {7200, 7700, 7710, 8200}, {0, 1, 2, 3}},
        {"plain vertices at the ends shift the first and last stop, the end stays",
         {{3, 0, 0, 0.0}, {4, 100, 7, 100.0}, {5, 900, 8, 900.0}, {6, 1000, 0, 1000.0}},
         2, 1000, 40000, 41000, {40100, 40900}, {1, 2}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestNetwork net;
        net.add_row({c.service_id, 3600, c.run_time, c.start, c.start + 1, net.add_shape(c.shape)});
        const LoadingState loading = build_all(net);
        for (int32_t list = 0; list < 3; ++list)
            ASSERT_EQ(loading.service_runs[list].count(), list == c.service_id - 1 ? 1 : 0);
        const zintu::Run& run = loading.service_runs[c.service_id - 1].runs[0];
        EXPECT_EQ(std::tie(run.start, run.end), std::tie(c.start, c.end));
        ASSERT_EQ(run.stop_count, static_cast<int32_t>(c.arrivals.size()));
        for (int32_t k = 0; k < run.stop_count; ++k) {
            const StopTiming& s = run.stops[k];
            ASSERT_EQ(s.point_index, c.point_indices[k]) << "stop " << k;
            // The stop carries its point, as floats.
            const ShapePoint& p = c.shape[static_cast<size_t>(s.point_index)];
            EXPECT_EQ(std::tie(s.arrival, s.departure, s.stop_id, s.x, s.y),
                      std::make_tuple(c.arrivals[k], c.arrivals[k] + 9, p.stop_id, float(p.x),
                                      float(p.y)))
                << "stop " << k;
        }
    }
}

TEST(Departures, WindowYieldsEveryHeadwayBeforeItsEnd) {
    const std::tuple<const char*, int32_t, int32_t, int32_t, int32_t, int32_t> cases[] = {
        // headway, start, end; runs, last start
        {"exact multiple excludes the end", 282, 21780, 32400, 38, 32214},
        {"one second window", 60, 30000, 30001, 1, 30000},
        {"window after midnight, not wrapped", 480, 86820, 93360, 14, 93060},
        {"end exactly one headway after start", 600, 3600, 4200, 1, 3600},
    };
    for (const auto& [name, headway, start, end, count, last_start] : cases) {
        TestNetwork net;
        net.add_row({1, headway, 3540, start, end, net.add_shape(stops_at_dists({0, 10}))});
        const LoadingState loading = build_all(net);
        const auto& runs = loading.service_runs[0].runs;
        ASSERT_EQ(static_cast<int32_t>(runs.size()), count) << name;
        EXPECT_EQ(runs.back().start, last_start) << name;
    }
}

TEST(RowsThatYieldNothing, AreMarkedAndCountedOnce) {
    TestNetwork net;
    const int32_t good = net.add_shape(stops_at_dists({0, 10})), empty = net.add_shape({}),
                  no_stops = net.add_shape({{0, 0, 0, 0.0}, {0, 10, 0, 10.0}}),
                  zero_length = net.add_shape({{0, 0, 1, 0.0}, {0, 0, 2, 0.0}});
    const std::pair<const char*, FrequencyRow> cases[] = {
        {"empty window", {1, 840, 1680, 23220, 23220, good}},
        {"zero start", {1, 600, 900, 0, 3600, good}},
        {"zero end", {1, 600, 900, 3600, 0, good}},
        {"shape id 0", {1, 600, 900, 3600, 7200, 0}},
        {"empty shape", {2, 600, 900, 3600, 7200, empty}},
        {"shape without stops", {3, 600, 900, 3600, 7200, no_stops}},
        {"shape outside the table", {1, 600, 900, 3600, 7200, 99}},
        {"negative shape id", {1, 600, 900, 3600, 7200, -3}},
        {"zero headway", {1, 0, 900, 3600, 7200, good}},
        {"zero final distance", {1, 600, 900, 3600, 7200, zero_length}},
    };
    for (const auto& [name, r] : cases)
        net.add_row(r);
    Network network = net.network();
    LoadingState loading;
    for (int32_t i = 0; i < network.header->frequency_count; ++i) {
        build_runs(network, loading, i);
        EXPECT_EQ(std::tie(loading.rows_processed, loading.loaded[i]), std::make_tuple(i + 1, 1))
            << cases[i].first;
    }
    for (const ServiceRuns& list : loading.service_runs)
        EXPECT_EQ(list.count(), 0);
}

// Runs the row in a child whose standard output is its standard error, so the
// diagnostic can be matched.
void build_bad_service_row(int32_t service_id) {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    TestNetwork net;
    net.add_row({service_id, 600, 900, 3600, 7200, net.add_shape(stops_at_dists({0, 10}))});
    build_all(net);
}

TEST(RowsOutsideTheServices, EndTheProcessWithStatusOne) {
    for (int32_t service_id : {4, 0})
        EXPECT_EXIT(build_bad_service_row(service_id), ::testing::ExitedWithCode(1), "^dah\n$");
}

TEST(LoadingPass, SpreadsRowsOverFramesWithACapOf501) {
    TestNetwork net;
    const int32_t shape = net.add_shape(stops_at_dists({0, 10}));
    for (int i = 0; i < 5276; ++i)
        net.add_row({1 + i % 3, 600, 900, 3600, 4200, shape});
    Network network = net.network();
    LoadingState loading;
    // The 11th pass still handles rows; the 12th finds none left.
    for (int pass = 1; pass <= 12; ++pass) {
        loading_pass(network, loading);
        EXPECT_EQ(std::tie(loading.rows_processed, loading.loading_complete),
                  std::make_tuple(std::min(501 * pass, 5276), pass == 12));
    }
    loading_pass(network, loading);
    EXPECT_EQ(loading.rows_processed, 5276);
    EXPECT_EQ(loading.service_runs[0].count() + loading.service_runs[1].count() +
                  loading.service_runs[2].count(),
              5276);
}

} // namespace
} // namespace zintu
