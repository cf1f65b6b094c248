// Times, dates and the choice of the three service days.
#include "calendar.h"
#include "gtfs_time.h"

#include <gtest/gtest.h>

namespace zintu::gtfs {
namespace {

int32_t day(const char* iso) {
    return *parse_iso_date(iso);
}

TEST(GtfsTime, ParsesServiceTimesPastMidnight) {
    const std::vector<std::pair<const char*, int32_t>> good = {
        {"00:00:00", 0},     {"0:00:00", 0},      {"7:05:09", 25509},    {"23:59:59", 86399},
        {"24:00:00", 86400}, {"25:30:00", 91800}, {" 08:00:00 ", 28800}, {"100:00:00", 360000},
    };
    for (const auto& [text, seconds] : good)
        EXPECT_EQ(parse_service_time(text), seconds) << text;
    for (const char* bad : {"", "8:00", "08:60:00", "08:00:60", "8:5:00", "08:00:00:00", "-1:00:00",
                            "08h00m00", "0x:00:00", "123456:00:00"})
        EXPECT_FALSE(parse_service_time(bad)) << bad;
    EXPECT_EQ(format_service_time(98949), "27:29:09");
}

TEST(GtfsTime, ParsesDatesAndWeekdays) {
    EXPECT_EQ(parse_feed_date("19700101"), 0);
    EXPECT_EQ(parse_feed_date("20260914"), day("2026-09-14"));
    EXPECT_EQ(parse_feed_date("20240229"), day("2024-02-29"));
    for (const char* bad :
         {"20230229", "20261301", "20260100", "2026091", "2026-09-14", "abcdefgh"})
        EXPECT_FALSE(parse_feed_date(bad)) << bad;
    EXPECT_FALSE(parse_iso_date("2026-9-14"));
    EXPECT_EQ(format_iso_date(day("2026-12-07")), "2026-12-07");
    EXPECT_EQ(format_iso_date(day("1999-12-31")), "1999-12-31");
    EXPECT_EQ(weekday_of(day("2026-09-14")), 0); // Monday
    EXPECT_EQ(weekday_of(day("2026-09-20")), 6); // Sunday
    EXPECT_EQ(weekday_of(day("1969-12-31")), 2); // Wednesday, before the epoch
}

TEST(Calendar, ServiceDaysAreWednesdaySaturdaySunday) {
    const auto days = service_days_of_week(day("2026-09-14"));
    EXPECT_EQ(days[0], day("2026-09-16"));
    EXPECT_EQ(days[1], day("2026-09-19"));
    EXPECT_EQ(days[2], day("2026-09-20"));
}

TEST(Calendar, ExceptionsWinOverTheWeeklyPattern) {
    const auto days = service_days_of_week(day("2026-09-14"));
    Service weekdays{"WK", true, 0b0011111, day("2026-01-01"), day("2026-12-31"), {}};
    Service every_day{"ALL", true, 0b1111111, day("2026-01-01"), day("2026-12-31"), {}};
    Service ended{"OLD", true, 0b1111111, day("2026-01-01"), day("2026-09-17"), {}};
    Service dates_only{"D", false, 0, 0, 0, {{day("2026-09-20"), 1}}};
    Service removed = weekdays;
    removed.exceptions = {{day("2026-09-16"), 2}};
    Service added = weekdays;
    added.exceptions = {{day("2026-09-19"), 1}};
    struct Case {
        const Service& service;
        uint8_t mask;
    };
    const std::vector<Case> cases = {
        {weekdays, 0b001},   {every_day, 0b111}, {ended, 0b001},
        {dates_only, 0b100}, {removed, 0b000},   {added, 0b011},
    };
    for (const Case& c : cases)
        EXPECT_EQ(service_day_mask(c.service, days), c.mask) << c.service.id;
    EXPECT_FALSE(runs_on(weekdays, day("2027-01-06"))); // past end_date
}

} // namespace
} // namespace zintu::gtfs
