// Simulation clock. Stored values are single precision and the arithmetic
// between them double precision, so that the fast clock hits whole hours and
// minutes exactly and the real clock shows the 1/128 s steps of a float.
#include "sim/clock.h"

#include "network/civil_date.h"

#include <chrono>
#include <cmath>

namespace zintu {
namespace {

constexpr double kMillisFactor = 0.001;
// Single-precision reciprocals lie just above 1/3600 and 1/60, so an exact
// multiple of an hour or a minute yields the whole number, never one less.
constexpr float kHourFactor = 1.0f / 3600.0f;
constexpr float kMinuteFactor = 1.0f / 60.0f;

void set_fast_time_of_day(std::tm& time, float seconds, double unrounded) {
    const int hour = static_cast<int>(std::floor(unrounded * static_cast<double>(kHourFactor)));
    const int minute = static_cast<int>(
        std::floor((static_cast<double>(seconds) - static_cast<double>(3600 * hour)) *
                   static_cast<double>(kMinuteFactor)));
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = static_cast<int>(seconds) % 60;
}

} // namespace

WallTime system_time() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return {millis / 1000, static_cast<uint16_t>(millis % 1000)};
}

void shift_date(std::tm& time, int64_t days) {
    if (days == 0) return;
    const int64_t today =
        days_from_civil(int64_t{time.tm_year} + 1900, time.tm_mon + 1, time.tm_mday);
    const int64_t target = today + days;
    const CivilDate date = civil_from_days(target);
    time.tm_year = static_cast<int>(date.year - 1900);
    time.tm_mon = static_cast<int>(date.month - 1);
    time.tm_mday = static_cast<int>(date.day);
    // 1970-01-01 was a Thursday (4).
    time.tm_wday = static_cast<int>(((target % 7) + 7 + 4) % 7);
    time.tm_yday = static_cast<int>(target - days_from_civil(date.year, 1, 1));
}

void prime_fast_clock(SimClock& clock, int64_t epoch_seconds, const TimeZone& zone) {
    std::tm local{};
    to_zone_time(zone, epoch_seconds, local);
    const int day_seconds = local.tm_sec + 60 * (local.tm_min + 60 * local.tm_hour);
    clock.seconds = static_cast<float>(day_seconds) - kFastStep;
    clock.fast_days = 0;
}

void update_clock(SimClock& clock, SpeedMode speed_mode, const TimeSource& now,
                  const TimeZone& zone) {
    const WallTime reading = now();
    clock.reading = reading;
    std::tm local{};
    to_zone_time(zone, reading.seconds, local);

    if (speed_mode != SpeedMode::Fast) {
        const int day_seconds = local.tm_sec + 60 * (local.tm_min + 60 * local.tm_hour);
        clock.seconds = static_cast<float>(static_cast<double>(day_seconds) +
                                           static_cast<double>(reading.millis) * kMillisFactor);
        clock.local_time = local;
        return;
    }

    double s = static_cast<double>(clock.seconds) + static_cast<double>(kFastStep);
    // The fast clock wraps at midnight and counts the day instead of letting
    // `seconds` grow: placement always sees the time since the shown date's
    // midnight, and a step of 9 stays exact however long the saver runs.
    if (s >= kSecondsPerDay) {
        s -= kSecondsPerDay;
        clock.fast_days += 1;
    }
    clock.seconds = static_cast<float>(s);
    // The simulated date and time come from civil arithmetic alone: the time
    // shown is what `seconds` says and the weekday changes exactly at the
    // simulated midnight. A round trip through the zone's rules would move
    // the hour whenever the simulated date lies in the other daylight-saving
    // season than the real moment. The flag says only that it is not known.
    set_fast_time_of_day(local, clock.seconds, s);
    shift_date(local, clock.fast_days);
    local.tm_isdst = -1;
    clock.local_time = local;
}

} // namespace zintu
