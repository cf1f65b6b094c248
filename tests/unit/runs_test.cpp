// Runs built from the rows (stop times, departures, rows that yield nothing, the
// loading pass), placed along their shapes, and found through the run index.
#include "network/run_builder.h"
#include "sim/placement.h"
#include "sim/simulation.h"
#include "test_network.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include <unistd.h>

namespace zintu {
namespace {

using testing::stops_at_dists;
using testing::TestNetwork;

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
        {"zero final distance", {1, 600, 900, 3600, 7200, zero_length}}};
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

// In a child whose standard output is its standard error, to match the message.
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
    EXPECT_EQ(loading.service_runs[0].count() + loading.service_runs[1].count() +
                  loading.service_runs[2].count(),
              5276);
}

// A run with the given (arrival, point index) stops; departures are +9.
Run make_run(int32_t shape_id, int32_t start, int32_t end,
             std::initializer_list<std::pair<int32_t, int32_t>> stops) {
    Run run{shape_id, start, end, static_cast<int32_t>(stops.size()),
            std::make_unique<StopTiming[]>(stops.size())};
    int32_t k = 0;
    for (const auto& [arrival, point] : stops)
        run.stops[k++] = {arrival, arrival + kDwellSeconds, point, 0, 0.0f, 0.0f};
    return run;
}

struct Walk {
    int32_t count = 0;
    std::vector<Vehicle> vehicles;
    bool operator==(const Walk& o) const {
        return count == o.count && vehicles.size() == o.vehicles.size() &&
               (vehicles.empty() || std::memcmp(vehicles.data(), o.vehicles.data(),
                                                vehicles.size() * sizeof(Vehicle)) == 0);
    }
};

Walk walk(const Network& network, const ServiceRunsTable& lists, float seconds, int wday,
          const RunIndex* index = nullptr) {
    SimClock clock;
    clock.seconds = seconds;
    clock.local_time.tm_wday = wday;
    Walk w;
    const auto consume = [&w](float x, float y, float heading, int32_t shape_id) {
        w.vehicles.push_back({x, y, heading, shape_id});
    };
    w.count = index ? place_vehicles(network, lists, *index, clock, consume)
                    : place_vehicles(network, lists, clock, consume);
    return w;
}

class PlacementTest : public ::testing::Test {
protected:
    Walk place_at(float seconds, int wday = 1) { return walk(network_, lists_, seconds, wday); }

    testing::TestNetwork net_;
    // clang-format off
    // Along x: stop, vertex, stop followed by a repeated point (same dist), a
    // zero-length step whose dist grows, last stop.
    const int32_t line_ = net_.add_shape({{0, 0, 1, 0.0}, {0, 100, 0, 100.0}, {0, 200, 2, 200.0},
        {0, 200, 0, 200.0}, {0, 300, 0, 300.0}, {0, 300, 0, 340.0}, {0, 400, 3, 440.0}});
    // clang-format on
    // Along y, two stops 800 apart.
    const int32_t north_ = net_.add_shape({{0, 0, 5, 0.0}, {800, 0, 6, 800.0}});
    const Network network_ = net_.network();
    ServiceRunsTable lists_;
};

TEST_F(PlacementTest, OneRunThroughItsTimeline) {
    // Leaves 1000, stop 2 at 1100..1109, last stop 1300..1309.
    lists_[0].runs.push_back(make_run(line_, 1000, 1309, {{1000, 0}, {1100, 2}, {1300, 6}}));
    const std::tuple<const char*, float, int32_t, bool, float> cases[] = {
        // count, drawn, x
        {"before start", 999.99f, 0, false, 0},
        {"start is inclusive", 1000.0f, 1, true, 0},
        {"dwelling until the departure instant", 1009.0f, 1, true, 0},
        {"just after the departure, eased: slow at the start", 1009.5f, 1, true, 0.0148975f},
        {"eased halfway between stops", 1054.5f, 1, true, 100.0f},
        {"arrival shows the next stop", 1100.0f, 1, true, 200.0f},
        // The rounded target distance lands on the repeated point: 0/0 for the fraction.
        {"leaving a stop whose point is repeated", 1109.0f + 1.0f / 128.0f, 1, true, 200.0f},
        {"zero-length step with growing dist", 1204.5f, 1, true, 300.0f},
        {"terminal dwell is counted, not drawn", 1300.0f, 1, false, 0},
        {"end is inclusive", 1309.0f, 1, false, 0},
        {"after end", 1309.5f, 0, false, 0},
    };
    for (const auto& [name, seconds, count, drawn, x] : cases) {
        const Walk placed = place_at(seconds);
        EXPECT_EQ(placed.count, count) << name;
        ASSERT_EQ(placed.vehicles.size(), drawn ? 1u : 0u) << name;
        if (!drawn) continue;
        const Vehicle& v = placed.vehicles[0];
        EXPECT_NEAR(v.x, x, 1e-3) << name;
        EXPECT_EQ(std::tie(v.y, v.heading, v.shape_id), std::make_tuple(0.0f, 0.0f, line_)) << name;
    }
    // Dwelling on a northbound line, the heading is that of the segment leaving the stop.
    lists_[0].runs[0] = make_run(north_, 500, 1000, {{500, 0}, {900, 1}});
    EXPECT_EQ(place_at(505.0f).vehicles.at(0).heading, 1.5707964f);
}

TEST_F(PlacementTest, EachSlotWalksItsListWithItsOwnOffset) {
    // A run of list 2 leaves a stop at 23:59:50 service time.
    lists_[2].runs.push_back(make_run(north_, 86390 - 9, 86479, {{86390 - 9, 0}, {86470, 1}}));
    // Monday's yesterday is Sunday's list; 40 of 80 seconds elapsed: halfway.
    EXPECT_NEAR(place_at(30.0f, 1).vehicles.at(0).y, 400.0f, 1e-3);
    EXPECT_EQ(place_at(30.0f, 2).count, 0) << "on Tuesday yesterday is Monday's list";
    lists_[1].runs.push_back(make_run(north_, 86390 - 9, 86479, {{86390 - 9, 0}, {86470, 1}}));
    EXPECT_EQ(place_at(30.0f, 0).count, 1) << "Sunday's yesterday is Saturday's list";
    // On a Tuesday all three slots name the weekday list.
    lists_[0].runs.push_back(make_run(north_, 1, 200000, {{1, 0}, {199990, 1}}));
    EXPECT_EQ(place_at(86400.0f, 2).count, 2) << "yesterday and today, never tomorrow";
    EXPECT_EQ(place_at(0.0f, 2).count, 1) << "only yesterday's: today's starts at 1";
}

TEST_F(PlacementTest, WalkOrderIsYesterdayTodayTomorrowThenListOrder) {
    lists_[2].runs.push_back(make_run(line_, 86400, 90000, {{86400, 0}, {89000, 6}}));
    lists_[0].runs.push_back(make_run(north_, 10, 900, {{10, 0}, {800, 1}}));
    lists_[0].runs.push_back(make_run(line_, 20, 900, {{20, 0}, {800, 6}}));
    const std::vector<Vehicle> v = place_at(30.0f, 1).vehicles;
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(std::tie(v[0].shape_id, v[1].shape_id, v[2].shape_id),
              std::tie(line_, north_, line_));
}

TEST_F(PlacementTest, CountIncludesRunsThatAreNotDrawn) {
    lists_[0].runs.push_back(make_run(north_, 100, 1000, {{100, 0}}));           // one stop
    lists_[0].runs.push_back(make_run(0, 100, 1000, {{100, 0}, {900, 1}}));      // no shape
    lists_[0].runs.push_back(make_run(north_, 100, 1000, {{100, 1}, {900, 0}})); // stops reversed
    lists_[0].runs.push_back(make_run(north_, 100, 1000, {{100, 0}, {900, 1}})); // drawn
    lists_[0].runs.push_back(make_run(north_ + 40, 100, 1000, {{100, 0}, {900, 1}})); // bad shape
    EXPECT_EQ(place_at(500.0f).count, 5);
    EXPECT_EQ(place_at(500.0f).vehicles.size(), 1u);
}

TEST(RunIndex, BucketsOfServiceTimes) {
    const std::pair<double, int32_t> cases[] = {{-86400.0, 0},  {-86400.5, -1},    {-86100.0, 1},
                                                {-0.5, 287},    {0.0, 288},        {299.99, 288},
                                                {300.0, 289},   {172799.9, 863},   {172800.0, 864},
                                                {172800.5, -1}, {std::nan(""), -1}};
    for (const auto& [time, bucket] : cases)
        EXPECT_EQ(run_bucket(time), bucket) << time;
}

TEST(RunIndex, RunsSitInEveryBucketTheirWindowMeets) {
    ServiceRunsTable lists;
    lists[1].runs.push_back({1, 299, 301, 0, nullptr});       // buckets 288 and 289
    lists[1].runs.push_back({1, 100000, 90000, 0, nullptr});  // ends before it starts
    lists[1].runs.push_back({1, 200000, 300000, 0, nullptr}); // after the span
    lists[1].runs.push_back({1, -90000, -86000, 0, nullptr}); // from before the span
    RunIndex index;
    update_run_index(index, lists);
    const auto& b = index[1].buckets;
    EXPECT_EQ(std::tie(index[0].indexed, index[1].indexed), std::make_tuple(0, 4));
    using V = std::vector<int32_t>;
    EXPECT_EQ(std::tie(b[288], b[289], b[0], b[1], b[2], b[864]),
              std::make_tuple(V{0}, V{0}, V{3}, V{3}, V{}, V{}));
}

// The demo network, its index lagging behind the lists, then caught up.
TEST(RunIndex, IndexedWalkFindsTheFullWalksVehiclesInItsOrder) {
    Simulation sim;
    use_network(sim, compiled_network());
    load_all_runs(sim);
    for (ServiceRunIndex& service : sim.run_index) {
        service.indexed /= 2;
        for (std::vector<int32_t>& bucket : service.buckets)
            std::erase_if(bucket, [&](int32_t i) { return i >= service.indexed; });
    }
    const auto same = [&](int wday, float seconds) {
        EXPECT_TRUE(walk(sim.network, sim.loading.service_runs, seconds, wday) ==
                    walk(sim.network, sim.loading.service_runs, seconds, wday, &sim.run_index))
            << "weekday " << wday << " at " << seconds << " s";
    };
    for (int pass = 0; pass < 2; ++pass) {
        for (int wday = 0; wday < 7; ++wday) {
            for (int minute = 0; minute <= 24 * 60; ++minute)
                same(wday, minute * 60.0f + 0.25f * (minute % 4));
        }
        update_run_index(sim.run_index, sim.loading.service_runs);
    }
    for (const float seconds : {-90000.0f, 200000.0f, std::nanf("")})
        same(3, seconds);
}

} // namespace
} // namespace zintu
