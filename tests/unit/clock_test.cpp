// Simulation clock: fast and real time, and date arithmetic far from today.
#include "sim/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

namespace zintu {
namespace {

void use_zone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}

// Runs each test on a machine set to UTC, and leaves the zone unset afterwards.
class ClockTest : public ::testing::Test {
protected:
    void SetUp() override { use_zone("UTC0"); }
    void TearDown() override {
        unsetenv("TZ");
        tzset();
    }
};

// 2026-12-07 00:00:00 UTC, a Monday.
constexpr int64_t kMonday = 1796601600;
// The machine's zone.
const TimeZone kMachine{};

TimeSource fixed(int64_t seconds, uint16_t millis = 0) {
    return [=] { return WallTime{seconds, millis}; };
}

auto shown(const std::tm& t) {
    return std::make_tuple(t.tm_mday, t.tm_wday, t.tm_hour, t.tm_min, t.tm_sec);
}

TEST_F(ClockTest, FastModeFramesShowNineSecondsEachDayAfterDay) {
    const std::tuple<int, float, std::tuple<int, int, int, int, int>> cases[] = {
        // frame, seconds; day of the month and of the week, hour, minute, second
        {1, 9.0f, {7, 1, 0, 0, 9}},           {400, 3600.0f, {7, 1, 1, 0, 0}},
        {9599, 86391.0f, {7, 1, 23, 59, 51}}, {9600, 0.0f, {8, 2, 0, 0, 0}}, // the next midnight
        {8 * 9600, 0.0f, {15, 2, 0, 0, 0}}, // eight simulated days on
    };
    const TimeSource now = fixed(kMonday + 15 * 3600);
    SimClock clock;
    int frame = 0;
    for (const auto& [until, seconds, date] : cases) {
        for (; frame < until; ++frame)
            update_clock(clock, SpeedMode::Fast, now, kMachine);
        EXPECT_EQ(std::make_tuple(clock.seconds, shown(clock.local_time)), std::tie(seconds, date))
            << "frame " << frame;
    }
}

// The shown day follows a real midnight, and any number of simulated days.
TEST_F(ClockTest, FastModeDateFollowsTheRealDate) {
    SimClock clock;
    update_clock(clock, SpeedMode::Fast, fixed(kMonday + 23 * 3600), kMachine);
    update_clock(clock, SpeedMode::Fast, fixed(kMonday + 24 * 3600 + 5), kMachine);
    EXPECT_EQ(shown(clock.local_time), std::make_tuple(8, 2, 0, 0, 18));
    clock.fast_days = 1'000'000'000'000; // far beyond any real run
    clock.seconds = 86391.0f;
    update_clock(clock, SpeedMode::Fast, fixed(kMonday), kMachine);
    EXPECT_EQ(std::tie(clock.seconds, clock.local_time.tm_hour, clock.local_time.tm_wday),
              std::make_tuple(0.0f, 0, 3))
        << "Monday plus 10^12 + 1 days";
}

// Real time overwrites whatever an earlier frame left, fast or not.
TEST_F(ClockTest, RealTimeSecondsAreSinglePrecision) {
    const int64_t last_second = kMonday + 86399;
    // clang-format off
    const std::tuple<int64_t, uint16_t, float, int> cases[] = { // now, ms; seconds, weekday
        {last_second, 996, 86399.9921875f, 1}, {last_second, 997, 86400.0f, 1},
        {kMonday + 86400, 0, 0.0f, 2},
    };
    // clang-format on
    for (const auto& [now, millis, seconds, wday] : cases) {
        SimClock clock;
        update_clock(clock, SpeedMode::Fast, fixed(kMonday), kMachine);
        update_clock(clock, SpeedMode::RealTime, fixed(now, millis), kMachine);
        EXPECT_EQ(std::tie(clock.seconds, clock.local_time.tm_wday), std::tie(seconds, wday))
            << now << "." << millis;
    }
}

TEST(ShiftDate, MovesTheCalendarDateOnly) {
    using Date = std::tuple<int, int, int>; // year, month 1..12, day
    const std::tuple<Date, int64_t, Date, int, int> cases[] = {
        // to date, weekday, day of year
        {{2026, 12, 7}, 1, {2026, 12, 8}, 2, 341},  {{2026, 12, 31}, 1, {2027, 1, 1}, 5, 0},
        {{2028, 2, 28}, 1, {2028, 2, 29}, 2, 59},   {{2100, 2, 28}, 1, {2100, 3, 1}, 1, 59},
        {{1970, 1, 1}, -1, {1969, 12, 31}, 3, 364}, {{2026, 12, 7}, 146097, {2426, 12, 7}, 1, 340},
    };
    for (const auto& [from, days, to, wday, yday] : cases) {
        std::tm t{};
        std::tie(t.tm_year, t.tm_mon, t.tm_mday) = from;
        t.tm_year -= 1900;
        t.tm_mon -= 1;
        t.tm_hour = 13;
        shift_date(t, days);
        EXPECT_EQ(std::make_tuple(Date{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday}, t.tm_wday,
                                  t.tm_yday, t.tm_hour),
                  std::make_tuple(to, wday, yday, 13))
            << days;
    }
}

// The simulated date and hour come from civil arithmetic alone, even when the
// simulated date lies in the other daylight-saving season than the real one.
TEST_F(ClockTest, FastModeShowsTheSimulatedHourInEitherSeason) {
    // 2026-03-01 12:00 EST, a Sunday; daylight-saving time starts on the 8th.
    const TimeZone new_york = time_zone_of("EST5EDT,M3.2.0,M11.1.0");
    SimClock clock;
    for (int n = 0; n < 105400; ++n)
        update_clock(clock, SpeedMode::Fast, fixed(1772384400), new_york);
    // Wednesday, so Wednesday's service window.
    EXPECT_EQ(std::make_tuple(clock.seconds, shown(clock.local_time)),
              std::make_tuple(84600.0f, std::make_tuple(11, 3, 23, 30, 0)));
}

// Real time is the network's wall-clock time, whatever the machine's zone.
TEST_F(ClockTest, RealTimeIsTheNetworksOwnTime) {
    const TimeZone new_york = time_zone_of("EST5EDT,M3.2.0,M11.1.0");
    for (const char* machine : {"UTC0", "NZST-12NZDT"}) {
        use_zone(machine);
        SimClock clock;
        update_clock(clock, SpeedMode::RealTime, fixed(kMonday + 13 * 3600 + 15 * 60), new_york);
        EXPECT_EQ(std::make_tuple(clock.seconds, shown(clock.local_time)),
                  std::make_tuple(29700.0f, std::make_tuple(7, 1, 8, 15, 0)))
            << machine;
    }
}

} // namespace
} // namespace zintu
