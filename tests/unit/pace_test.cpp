// Frame pacing: the delay rule, the speed bounds it is fed, the frame rate.
#include "app/frame_pace.h"
#include "render/projection.h"
#include "sim/vehicle_speed.h"
#include "test_network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace zintu {
namespace {

constexpr double kPi = 3.1415926;

TEST(FramePace, DelayFromVehicleSpeedMapScaleAndClock) {
    constexpr Pace A = Pace::Auto, E = Pace::EveryTick;
    constexpr SpeedMode R = SpeedMode::RealTime, F = SpeedMode::Fast;
    // pace, mode, loaded; fastest vehicle (map units/s) and pixels per map
    // unit; milliseconds since the frame and to the next second; the delay.
    using Case = std::tuple<const char*, Pace, SpeedMode, bool, double, double, int, int, uint32_t>;
    const Case cases[] = {
        // A quarter pixel takes 616 ms: two equal steps to the second.
        {"train, whole map", A, R, true, 15, 1 / 37.0, 0, 1000, 500},
        {"the same, 700 ms before the second", A, R, true, 15, 1 / 37.0, 0, 700, 350},
        {"train, downtown: 154 ms a quarter pixel", A, R, true, 15, 4 / 37.0, 0, 1000, 142},
        {"the frame took a while", A, R, true, 15, 4 / 37.0, 40, 1000, 111},
        {"the second turns first", A, R, true, 15, 1 / 37.0, 0, 300, 300},
        {"nothing moves: the upper bound", A, R, true, 0, 1, 0, 1000, 1000},
        {"a second that has just begun", A, R, true, 0, 1, 0, 999, 999},
        {"fast vehicle: the lower bound", A, R, true, 40, 1, 0, 1000, 10},
        {"the second turns in 3 ms", A, R, true, 0, 1, 0, 3, 10},
        {"later than the vehicles allow", A, R, true, 1, 1, 300, 1000, 10},
        {"every tick", E, R, true, 0, 1, 0, 1000, 10},
        {"fast mode", A, F, true, 0, 1, 0, 1000, 10},
        {"loading", A, R, false, 0, 1, 0, 1000, 10},
    };
    for (const auto& [name, pace, mode, loaded, speed, scale, since, to_second, delay] : cases) {
        PaceInput input{pace, mode, loaded, speed * scale, since, to_second};
        EXPECT_EQ(next_frame_delay(input), delay) << name;
        EXPECT_EQ(every_tick(input), delay == 10 && (pace == E || mode == F || !loaded)) << name;
    }
    EXPECT_EQ(millis_between({10, 500}, {11, 200}), 700);
    EXPECT_EQ(millis_between({11, 200}, {10, 500}), 0);
    EXPECT_EQ(millis_between({10, 0}, {20, 5}), 10005);
}

TEST(FramePace, MapScaleIncludesTheZoom) {
    NetworkHeader h{};
    h.x_span = 1600;
    h.y_span = 1000;
    ViewState view;
    EXPECT_DOUBLE_EQ(pixels_per_map_unit(h, view, 1600, 1000), 1.0);
    EXPECT_DOUBLE_EQ(pixels_per_map_unit(h, view, 3200, 1000), 2.0) << "the larger axis";
    view.zoom = kDowntownZoom;
    EXPECT_DOUBLE_EQ(pixels_per_map_unit(h, view, 1600, 1000), 4.0);
}

TEST(VehicleSpeed, BoundOverTheSpanUntilTheNextFrame) {
    // Stops at dist 0, 100 and 700: legs of 100 in 100 s and 600 in 300 s,
    // peaks of pi/2 and pi units a second.
    testing::TestNetwork net;
    const int32_t id = net.add_shape(testing::stops_at_dists({0, 100, 700}));
    const Network network = net.network();
    zintu::Run run{id, 0, 429, 3, std::make_unique<StopTiming[]>(3)};
    run.stops[0] = {0, 10, 0, 1, 0, 0};
    run.stops[1] = {110, 120, 1, 2, 0, 0};
    run.stops[2] = {420, 429, 2, 3, 0, 0};
    const ShapeEntry& shape = network.shapes[id];
    const auto slow = [](double u) { return kPi / 2 * std::sin(kPi * u); };
    const std::tuple<const char*, int32_t, double, double, double> cases[] = {
        {"standing, leaves later", 0, 5, 1, 0},
        {"leaves within the span", 0, 9.5, 1, slow(0.005)},
        {"the same a day later", 86400, 86409.5, 1, slow(0.005)},
        {"speeding up", 0, 30, 1, slow(0.21)},
        {"half way: the peak", 0, 59.5, 1, kPi / 2},
        {"arriving", 0, 109.5, 1, slow(0.995)},
        {"leaves the second stop", 0, 119.5, 1, kPi * std::sin(kPi / 600)},
        {"across both legs", 0, 105, 30, kPi * std::sin(kPi * 0.05)},
        {"at the terminal", 0, 425, 1, 0},
    };
    for (const auto& [name, offset, now, horizon, bound] : cases)
        EXPECT_NEAR(run_speed_bound(shape, run, offset, now, horizon), bound, 1e-9) << name;
    run.stops[1].point_index = 1000000000; // beyond the shape: that leg is not measured
    EXPECT_EQ(run_speed_bound(shape, run, 0, 59.5, 1), 0.0);

    // Map units per dist: the steepest step counts; repeated points, a jump
    // without distance and empty entries give nothing.
    const int32_t bent = net.add_shape(
        {{0, 0, 1, 0}, {40, 30, 0, 25}, {40, 30, 0, 60}, {140, 30, 2, 160}, {150, 30, 3, 160}});
    const std::vector<float> factors = shape_map_factors(net.network());
    ASSERT_EQ(factors.size(), 3u);
    EXPECT_EQ(factors[0], 0.0f);
    EXPECT_NEAR(factors[id], 1.0, 1e-6);
    EXPECT_GE(factors[bent], 2.0f);
    EXPECT_NEAR(factors[bent], 2.0, 1e-6);
}

TEST(FramePace, FramesPerSecondOverTheLastSecond) {
    // Frames every `step` ms for `count` frames: the rate shown.
    const std::tuple<int64_t, int, double> cases[] = {
        {10, 200, 100.0}, {250, 9, 4.0}, {1000, 3, 1.0}, {3000, 2, 1 / 3.0}, {10, 1, 0.0}};
    for (const auto& [step, count, rate] : cases) {
        FrameTimes frames;
        for (int i = 0; i < count; ++i)
            note_frame(frames, 5000 + i * step);
        EXPECT_NEAR(frames_per_second(frames), rate, 1e-9) << step;
        EXPECT_LE(frames.times.size(), 1000 / static_cast<std::size_t>(step) + 2) << step;
    }
    // Uneven frames: those of the last second over the time since the one
    // before them; two at the same moment give no rate.
    FrameTimes frames;
    for (const int64_t at : {0, 100, 1000, 1050})
        note_frame(frames, at);
    EXPECT_NEAR(frames_per_second(frames), 3 / 1.05, 1e-9);
    note_frame(frames, 3000); // alone in its second: since the one before
    EXPECT_NEAR(frames_per_second(frames), 1 / 1.95, 1e-9);
    frames.times = {7, 7};
    EXPECT_EQ(frames_per_second(frames), 0.0);
}

} // namespace
} // namespace zintu
