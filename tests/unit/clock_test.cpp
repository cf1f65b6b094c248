// Simulation clock: the fast clock frame by frame and day after day, the real
// clock's single-precision seconds, and date arithmetic far from today.
#include "sim/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

namespace zintu {
namespace {

// Runs each test in a fixed time zone and restores the caller's afterwards.
class ClockTest : public ::testing::Test {
protected:
    void use_zone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    void SetUp() override {
        const char* old = std::getenv("TZ");
        had_zone_ = old != nullptr;
        if (had_zone_) old_zone_ = old;
        use_zone("UTC0");
    }
    void TearDown() override {
        if (had_zone_) {
            setenv("TZ", old_zone_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    bool had_zone_ = false;
    std::string old_zone_;
};

// 2026-12-07 00:00:00 UTC, a Monday.
constexpr int64_t kMonday = 1796601600;
// The machine's zone (the tests set it to UTC unless they say otherwise).
const TimeZone kMachine{};

TimeSource fixed(int64_t seconds, uint16_t millis = 0) {
    return [=] { return WallTime{seconds, millis}; };
}

TEST_F(ClockTest, FastModeFramesShowNineSecondsEach) {
    struct Case {
        int frame;
        int hour, minute, second;
    } cases[] = {
        {1, 0, 0, 9}, {400, 1, 0, 0}, {401, 1, 0, 9}, {6666, 16, 39, 54}, {9599, 23, 59, 51},
    };
    const TimeSource now = fixed(kMonday + 15 * 3600);
    for (const Case& c : cases) {
        SimClock clock;
        for (int n = 0; n < c.frame; ++n)
            update_clock(clock, SpeedMode::Fast, now, kMachine);
        EXPECT_EQ(clock.seconds, 9.0f * static_cast<float>(c.frame)) << "frame " << c.frame;
        EXPECT_EQ(clock.local_time.tm_hour, c.hour) << "frame " << c.frame;
        EXPECT_EQ(clock.local_time.tm_min, c.minute) << "frame " << c.frame;
        EXPECT_EQ(clock.local_time.tm_sec, c.second) << "frame " << c.frame;
        EXPECT_EQ(clock.local_time.tm_mday, 7) << "the real date, frame " << c.frame;
        EXPECT_EQ(clock.local_time.tm_wday, 1) << "frame " << c.frame;
    }
}

TEST_F(ClockTest, FastModeGoesOnDayAfterDay) {
    const TimeSource now = fixed(kMonday + 15 * 3600);
    SimClock clock;
    for (int n = 0; n < 9600; ++n)
        update_clock(clock, SpeedMode::Fast, now, kMachine);
    EXPECT_EQ(clock.seconds, 0.0f) << "placement sees the new day's midnight";
    EXPECT_EQ(clock.local_time.tm_hour, 0);
    EXPECT_EQ(clock.local_time.tm_min, 0);
    EXPECT_EQ(clock.local_time.tm_sec, 0);
    EXPECT_EQ(clock.local_time.tm_mday, 8);
    EXPECT_EQ(clock.local_time.tm_wday, 2);

    for (int n = 0; n < 7 * 9600; ++n) {
        update_clock(clock, SpeedMode::Fast, now, kMachine);
        ASSERT_GE(clock.seconds, 0.0f);
        ASSERT_LT(clock.seconds, 86400.0f);
    }
    EXPECT_EQ(clock.seconds, 0.0f);
    EXPECT_EQ(clock.local_time.tm_wday, 2) << "seven simulated days later, the same weekday";
    EXPECT_EQ(clock.local_time.tm_mday, 15);
    EXPECT_EQ(clock.local_time.tm_mon, 11);
}

TEST_F(ClockTest, FastModeDateFollowsTheRealDate) {
    SimClock clock;
    update_clock(clock, SpeedMode::Fast, fixed(kMonday + 23 * 3600), kMachine);
    EXPECT_EQ(clock.local_time.tm_wday, 1);
    update_clock(clock, SpeedMode::Fast, fixed(kMonday + 24 * 3600 + 5), kMachine);
    EXPECT_EQ(clock.local_time.tm_wday, 2) << "a real midnight moves the shown day";
    EXPECT_EQ(clock.local_time.tm_sec, 18);
}

TEST_F(ClockTest, FastModeSurvivesAnyNumberOfDays) {
    SimClock clock;
    clock.fast_days = 1'000'000'000'000; // far beyond any real run
    clock.seconds = 86391.0f;
    update_clock(clock, SpeedMode::Fast, fixed(kMonday), kMachine);
    EXPECT_EQ(clock.seconds, 0.0f);
    EXPECT_EQ(clock.local_time.tm_hour, 0);
    // Monday plus 10^12 + 1 days.
    EXPECT_EQ(clock.local_time.tm_wday, static_cast<int>((1 + 1'000'000'000'001 % 7) % 7));
}

TEST_F(ClockTest, RealTimeSecondsAreSinglePrecision) {
    const int64_t last_second = kMonday + 86399;
    struct Case {
        int64_t seconds;
        uint16_t millis;
        float expected;
        int wday;
    } cases[] = {
        {last_second, 996, 86399.9921875f, 1},
        {last_second, 997, 86400.0f, 1},
        {last_second, 999, 86400.0f, 1},
        {kMonday + 86400, 0, 0.0f, 2},
        {kMonday + 8 * 3600 + 15 * 60, 500, 29700.5f, 1},
    };
    for (const Case& c : cases) {
        SimClock clock;
        update_clock(clock, SpeedMode::RealTime, fixed(c.seconds, c.millis), kMachine);
        EXPECT_EQ(clock.seconds, c.expected) << c.seconds << "." << c.millis;
        EXPECT_EQ(clock.local_time.tm_wday, c.wday) << c.seconds << "." << c.millis;
    }
}

TEST_F(ClockTest, RealTimeOverwritesEveryFrame) {
    SimClock clock;
    update_clock(clock, SpeedMode::Fast, fixed(kMonday), kMachine);
    update_clock(clock, SpeedMode::RealTime, fixed(kMonday + 3600, 250), kMachine);
    EXPECT_EQ(clock.seconds, 3600.25f);
    EXPECT_EQ(clock.local_time.tm_hour, 1);
}

TEST(ShiftDate, MovesTheCalendarDateOnly) {
    struct Case {
        int year, month, day; // start, month 1..12
        int64_t days;
        int end_year, end_month, end_day, end_wday, end_yday;
    } cases[] = {
        {2026, 12, 7, 1, 2026, 12, 8, 2, 341},  {2026, 12, 31, 1, 2027, 1, 1, 5, 0},
        {2028, 2, 28, 1, 2028, 2, 29, 2, 59},   {2100, 2, 28, 1, 2100, 3, 1, 1, 59},
        {1970, 1, 1, -1, 1969, 12, 31, 3, 364}, {2026, 12, 7, 146097, 2426, 12, 7, 1, 340},
    };
    for (const Case& c : cases) {
        std::tm t{};
        t.tm_year = c.year - 1900;
        t.tm_mon = c.month - 1;
        t.tm_mday = c.day;
        t.tm_hour = 13;
        shift_date(t, c.days);
        EXPECT_EQ(t.tm_year + 1900, c.end_year) << c.days;
        EXPECT_EQ(t.tm_mon + 1, c.end_month) << c.days;
        EXPECT_EQ(t.tm_mday, c.end_day) << c.days;
        EXPECT_EQ(t.tm_wday, c.end_wday) << c.days;
        EXPECT_EQ(t.tm_yday, c.end_yday) << c.days;
        EXPECT_EQ(t.tm_hour, 13);
    }
}

// The simulated date and hour come from civil arithmetic alone, even when the
// simulated date lies in the other daylight-saving season than the real one.
TEST_F(ClockTest, FastModeShowsTheSimulatedHourInEitherSeason) {
    const bool have_zone_data = std::filesystem::exists("/usr/share/zoneinfo/America/New_York");
    if (have_zone_data) use_zone("America/New_York");
    const TimeZone new_york = time_zone_of("EST5EDT,M3.2.0,M11.1.0");
    // 2026-03-01 12:00 EST, a Sunday; daylight-saving time starts on the 8th.
    const TimeSource noon = fixed(1772384400);
    for (const TimeZone& zone : {new_york, kMachine}) {
        if (!zone.rule && !have_zone_data) continue;
        SimClock clock;
        for (int n = 0; n < 105400; ++n)
            update_clock(clock, SpeedMode::Fast, noon, zone);
        EXPECT_EQ(clock.seconds, 84600.0f);
        const std::tm& t = clock.local_time;
        EXPECT_EQ(std::tie(t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec),
                  std::make_tuple(11, 23, 30, 0));
        EXPECT_EQ(t.tm_wday, 3) << "Wednesday, so Wednesday's service window";
    }
}

// Real time is the network's wall-clock time, whatever the machine's zone.
TEST_F(ClockTest, RealTimeIsTheNetworksOwnTime) {
    const TimeZone new_york = time_zone_of("EST5EDT,M3.2.0,M11.1.0");
    for (const char* machine : {"UTC0", "JST-9", "EST5EDT,M3.2.0,M11.1.0", "NZST-12NZDT"}) {
        use_zone(machine);
        SimClock clock;
        update_clock(clock, SpeedMode::RealTime, fixed(kMonday + 13 * 3600 + 15 * 60), new_york);
        const std::tm& t = clock.local_time;
        EXPECT_EQ(std::tie(t.tm_wday, t.tm_hour, t.tm_min), std::make_tuple(1, 8, 15)) << machine;
        EXPECT_EQ(clock.seconds, 29700.0f) << machine;
    }
}

} // namespace
} // namespace zintu
