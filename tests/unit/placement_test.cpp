// Vehicle placement along runs and through the service-day slots; the run
// index, whose walk must find the full walk's vehicles in the same order.
#include "sim/placement.h"
#include "sim/simulation.h"
#include "test_network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

namespace zintu {
namespace {

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

// Every vehicle of a walk, with the count, compared bit for bit.
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

// The demo network, with an index that lags behind the lists and after it has
// caught up (the bucket edges are pinned above), and outside the indexed span.
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
    // Every minute of a week (a quarter second later every fourth minute).
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
