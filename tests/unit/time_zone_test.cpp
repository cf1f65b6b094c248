// A network's own time: POSIX TZ rules, the wall-clock time around each change
// of clocks, and wall-clock times read back. Expected values: the zone database.
#include "sim/time_zone.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

namespace zintu {
namespace {

std::string shown(const std::tm& t) {
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
    {"GMT0BST,M3.5.0/1,M10.5.0", 1774746000, "2026-03-29 02:00:00", 1},
    {"GMT0BST,M3.5.0/1,M10.5.0", 1792890000, "2026-10-25 01:00:00", 0},
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
        EXPECT_EQ(shown(t), local) << rule << " at " << epoch;
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
