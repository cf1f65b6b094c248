// The saver's clock on Windows: a network's own time comes from its rule,
// not from the machine's zone, and the fast clock's date from civil
// arithmetic, so zintu.scr shows New York's time wherever it runs.
#include "render/overlay_text.h"
#include "sim/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace zintu::test {
namespace {

constexpr int64_t kMondayMorningInNewYork = 1796649300; // 2026-12-07 13:15:00 UTC

TEST(NetworkClock, NewYorkTimeWhateverTheMachinesZone) {
    const TimeZone new_york = time_zone_of("EST5EDT,M3.2.0,M11.1.0");
    ASSERT_TRUE(new_york.rule);
    const TimeSource now = [] { return WallTime{kMondayMorningInNewYork, 0}; };
    for (const char* machine : {"UTC0", "JST-9", "EST5EDT", "NZST-12NZDT"}) {
        _putenv_s("TZ", machine);
        _tzset();
        SimClock real;
        update_clock(real, SpeedMode::RealTime, now, new_york);
        EXPECT_EQ(overlay_time_line(real.local_time), "(Mon) 08:15:00") << machine;
        SimClock fast;
        prime_fast_clock(fast, kMondayMorningInNewYork, new_york);
        update_clock(fast, SpeedMode::Fast, now, new_york);
        EXPECT_EQ(overlay_time_line(fast.local_time), "(Mon) 08:15:00") << machine;
    }
    _putenv_s("TZ", "");
    _tzset();
}

} // namespace
} // namespace zintu::test
