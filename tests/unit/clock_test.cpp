// Time: the simulation clock in fast and real time, date arithmetic far from
// today, and a network's own time by POSIX TZ rules (expected: the zone database).
#include "sim/clock.h"
#include "sim/time_zone.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

namespace zintu {
namespace {

void use_zone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}

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

TEST_F(ClockTest, FastModeShowsTheSimulatedHourInEitherSeason) {
    // 2026-03-01 12:00 EST, a Sunday; daylight-saving time starts on the 8th.
    const TimeZone new_york = time_zone_of("EST5EDT,M3.2.0,M11.1.0");
    SimClock clock;
    for (int n = 0; n < 105400; ++n)
        update_clock(clock, SpeedMode::Fast, fixed(1772384400), new_york);
    EXPECT_EQ(std::make_tuple(clock.seconds, shown(clock.local_time)),
              std::make_tuple(84600.0f, std::make_tuple(11, 3, 23, 30, 0)));
}

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

std::string wall_clock(const std::tm& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

const std::tuple<const char*, int64_t, const char*, int> kReadings[] = {
    // rule, instant, time, DST
    {"EST5EDT,M3.2.0,M11.1.0", 1772953199, "2026-03-08 01:59:59", 0},
    {"EST5EDT,M3.2.0,M11.1.0", 1772953200, "2026-03-08 03:00:00", 1},
    {"EST5EDT,M3.2.0,M11.1.0", 1793512799, "2026-11-01 01:59:59", 1},
    {"EST5EDT,M3.2.0,M11.1.0", 1793512800, "2026-11-01 01:00:00", 0},
    {"AEST-10AEDT,M10.1.0,M4.1.0/3", 1775318399, "2026-04-05 02:59:59", 1},
    {"AEST-10AEDT,M10.1.0,M4.1.0/3", 1775318400, "2026-04-05 02:00:00", 0},
    {"AEST-10AEDT,M10.1.0,M4.1.0/3", 1791043200, "2026-10-04 03:00:00", 1},
    {"IST-1GMT0,M10.5.0,M3.5.0/1", 1774746000, "2026-03-29 02:00:00", 0},
    {"IST-1GMT0,M10.5.0,M3.5.0/1", 1792890000, "2026-10-25 01:00:00", 1},
    {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", 1774745999, "2026-03-28 22:59:59", 0},
    {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", 1774746000, "2026-03-29 00:00:00", 1},
    {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", 1792890000, "2026-10-24 23:00:00", 0},
    {"<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45", 1775311199, "2026-04-05 03:44:59", 1},
    {"<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45", 1790431200, "2026-09-27 03:45:00", 1},
    {"<+0330>-3:30", 1795462022, "2026-11-23 22:57:02", 0},
    {"JST-9", 1796649300, "2026-12-07 22:15:00", 0},
    {"EST5EDT4,0/0,J365/25", 1782000000, "2026-06-20 20:00:00", 1},  // all year
    {"CET-1CEST,J60/2,300/3", 1772326800, "2026-03-01 03:00:00", 1}, // J60: 1 March
    {"EST5EDT,M3.2.0,M11.1.0", -1, "1969-12-31 18:59:59", 0},
    {"EST5EDT,M3.2.0,M11.1.0", 32503698000, "3000-01-01 00:00:00", 0},
};

TEST(TimeZone, WallClockTimeOfAnInstant) {
    for (const auto& [rule, epoch, local, dst] : kReadings) {
        const TimeZone zone = time_zone_of(rule);
        ASSERT_TRUE(zone.rule) << rule;
        std::tm t{};
        ASSERT_TRUE(to_zone_time(zone, epoch, t));
        EXPECT_EQ(wall_clock(t), local) << rule << " at " << epoch;
        EXPECT_EQ(t.tm_isdst, dst) << rule << " at " << epoch;
    }
    std::tm t{};
    ASSERT_TRUE(to_zone_time(time_zone_of("JST-9"), 1796649300, t)); // 2026-12-07 22:15
    EXPECT_EQ(std::tie(t.tm_wday, t.tm_yday), std::make_tuple(1, 340));
    ASSERT_TRUE(to_zone_time(time_zone_of("<-14>14"), 1796649300, t)); // 2026-12-06 23:15
    EXPECT_EQ(t.tm_wday, 0);
}

TEST(TimeZone, InstantOfAWallClockTime) {
    const char* new_york = "EST5EDT,M3.2.0,M11.1.0";
    const std::tuple<const char*, CivilTime, int64_t> cases[] = {
        {new_york, {2026, 12, 7, 8, 15, 0}, 1796649300},
        {new_york, {2026, 3, 8, 2, 30, 0}, 1772955000}, // skipped: read as standard time, 03:30 EDT
        {new_york, {2026, 11, 1, 1, 30, 0}, 1793511000}, // repeated: the first, daylight-saving one
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", {2026, 4, 5, 2, 30, 0}, 1775316600},
        {"JST-9", {2026, 12, 7, 22, 15, 30}, 1796649330},
    };
    for (const auto& [rule, civil, epoch] : cases)
        EXPECT_EQ(from_zone_time(time_zone_of(rule), civil), epoch) << rule;
}

TEST(TimeZone, WhatIsNotARule) {
    for (const char* text :
         {"", "E5", "EST", "EST5EDT,M3.2.0", "EST5EDT,M13.2.0,M11.1.0", "EST5EDT,M3.6.0,M11.1.0",
          "EST5EDT,M3.2.7,M11.1.0", "EST5EDT,J0,J365", "EST5EDT,366,0", "EST25",
          "EST5EDT,M3.2.0/168,M11.1.0", "<AB>5", "<ABC5", "EST5:60", "EST5EDT,M3.2.0,M11.1.0x",
          "America/New_York", "EST5 EDT"}) {
        EXPECT_FALSE(parse_tz_rule(text)) << text;
        EXPECT_FALSE(time_zone_of(text).rule) << text;
    }
    // Without dates the daylight-saving rule is the format's default one.
    EXPECT_EQ(utc_offset_at(*parse_tz_rule("EST5EDT"), 1782921600), -4 * 3600);
}

} // namespace
} // namespace zintu
