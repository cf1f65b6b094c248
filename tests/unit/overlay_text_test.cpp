// The overlay's lines as text.
#include "render/overlay_text.h"

#include <gtest/gtest.h>

namespace zintu {
namespace {

TEST(OverlayText, TimeLineShowsWeekdayAndTime) {
    struct Case {
        int wday, hour, minute, second;
        const char* expected;
    } cases[] = {
        {1, 8, 15, 0, "(Mon) 08:15:00"},
        {0, 0, 0, 0, "(Sun) 00:00:00"},
        {6, 23, 59, 59, "(Sat) 23:59:59"},
    };
    for (const Case& c : cases) {
        std::tm t{};
        t.tm_wday = c.wday;
        t.tm_hour = c.hour;
        t.tm_min = c.minute;
        t.tm_sec = c.second;
        t.tm_mday = 1;
        EXPECT_EQ(overlay_time_line(t), c.expected);
    }
}

TEST(OverlayText, VehicleAndLoadingLines) {
    EXPECT_EQ(overlay_vehicle_line(0), "Vehicles: 0");
    EXPECT_EQ(overlay_vehicle_line(312), "Vehicles: 312");
    EXPECT_EQ(overlay_loading_line(0, 5276), "Loading ... (0%)");
    EXPECT_EQ(overlay_loading_line(5276, 5276), "Loading ... (100%)");
    // 2505 / 5276 = 47.48 %: truncated, not rounded.
    EXPECT_EQ(overlay_loading_line(2505, 5276), "Loading ... (47%)");
    EXPECT_EQ(overlay_loading_percent(5275, 5276), 99);
}

} // namespace
} // namespace zintu
