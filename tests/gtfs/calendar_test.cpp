// Times, dates (days since 1970-01-01) and the choice of the three service days.
#include "calendar.h"
#include "gtfs_time.h"

#include <gtest/gtest.h>

namespace zintu::gtfs {
namespace {

TEST(GtfsTime, ParsesServiceTimesPastMidnight) {
    const std::pair<const char*, int32_t> good[] = {
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
    const std::pair<const char*, int32_t> feed_dates[] = {
        {"19700101", 0}, {"20260914", 20710}, {"20240229", 19782}, {"19691231", -1}};
    for (const auto& [text, day] : feed_dates)
        EXPECT_EQ(parse_feed_date(text), day) << text;
    for (const char* bad :
         {"20230229", "20261232", "20261301", "20260100", "2026091", "2026-09-14", "abcdefgh"})
        EXPECT_FALSE(parse_feed_date(bad)) << bad;
    EXPECT_EQ(parse_iso_date("2026-12-07"), 20794);
    EXPECT_FALSE(parse_iso_date("2026-9-14"));
    EXPECT_EQ(format_iso_date(20794), "2026-12-07");
    EXPECT_EQ(format_iso_date(10956), "1999-12-31");
    EXPECT_EQ(weekday_of(20710), 0); // Monday
    EXPECT_EQ(weekday_of(20716), 6); // Sunday
    EXPECT_EQ(weekday_of(-1), 2);    // Wednesday, before the epoch
}

TEST(Calendar, ExceptionsWinOverTheWeeklyPatternOnWednesdaySaturdaySunday) {
    const auto days = service_days_of_week(20710); // the week of Monday 2026-09-14
    EXPECT_EQ(days, (std::array<int32_t, 3>{20712, 20715, 20716}));
    // Monday to Friday during 2026, and the same with exceptions.
    const Service weekdays{"WK", true, 0b0011111, 20454, 20818, {}};
    Service removed = weekdays, added = weekdays;
    removed.exceptions = {{20712, 2}};
    added.exceptions = {{20715, 1}};
    const std::pair<Service, uint8_t> cases[] = {
        {weekdays, 0b001},
        {removed, 0b000},
        {added, 0b011},
        {{"ALL", true, 0b1111111, 20454, 20818, {}}, 0b111},
        {{"OLD", true, 0b1111111, 20454, 20713, {}}, 0b001}, // ends on Thursday
        {{"D", false, 0, 0, 0, {{20716, 1}}}, 0b100}};       // dates only
    for (const auto& [service, mask] : cases)
        EXPECT_EQ(service_day_mask(service, days), mask) << service.id;
    EXPECT_FALSE(runs_on(weekdays, 20824)); // a Wednesday past end_date
}

} // namespace
} // namespace zintu::gtfs
