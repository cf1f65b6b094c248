// Span and frame schedule of a recording.
#include "app/frame_schedule.h"

#include "network/civil_date.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace zintu {
namespace {

constexpr int64_t kMillis = 1000;
// The schedule's own bounds on the speed: its resolution (a simulated
// millisecond a second), and about a year a second, far beyond any use.
constexpr double kLeastSpeed = 0.001;
constexpr double kGreatestSpeed = 3.0e7;

CivilDate date_of(const CivilTime& t) {
    return {t.year, t.month, t.day};
}

CivilDate next_day(const CivilDate& date) {
    return civil_from_days(days_from_civil(date.year, date.month, date.day) + 1);
}

// The instant of `second_of_day` (86400 is the next midnight) on `date`.
std::optional<int64_t> instant_on(CivilDate date, int32_t second_of_day, const TimeZone& zone) {
    if (second_of_day >= kSecondsPerDay) {
        date = next_day(date);
        second_of_day -= kSecondsPerDay;
    }
    const CivilTime civil{static_cast<int>(date.year), static_cast<int>(date.month),
                          static_cast<int>(date.day),  second_of_day / 3600,
                          second_of_day / 60 % 60,     second_of_day % 60};
    return from_zone_time(zone, civil);
}

std::optional<int64_t> bound_instant(const SpanBound& bound, CivilDate day, const TimeZone& zone) {
    return bound.date_and_time ? from_zone_time(zone, *bound.date_and_time)
                               : instant_on(day, bound.second_of_day, zone);
}

int64_t floor_div(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

} // namespace

std::optional<RecordSpan> resolve_span(const std::optional<SpanBound>& from,
                                       const std::optional<SpanBound>& to, int64_t day_epoch,
                                       const TimeZone& zone, std::string& error) {
    const CivilDate day = [&]() -> CivilDate {
        if (from && from->date_and_time) return date_of(*from->date_and_time);
        std::tm local{};
        to_zone_time(zone, day_epoch, local);
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    }();
    const std::optional<int64_t> start = bound_instant(from.value_or(SpanBound{}), day, zone);
    if (!start) {
        error = "the time given with --from does not exist on this machine";
        return std::nullopt;
    }
    std::optional<int64_t> end;
    if (!to) {
        // A day later by the wall clock: midnight to midnight, 23 or 25 hours
        // when the clocks change.
        std::tm local{};
        to_zone_time(zone, *start, local);
        const CivilDate next = next_day({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
        end = instant_on(next, local.tm_sec + 60 * (local.tm_min + 60 * local.tm_hour), zone);
    } else {
        end = bound_instant(*to, day, zone);
        if (end && !to->date_and_time && *end < *start) {
            end = instant_on(next_day(day), to->second_of_day, zone);
        }
    }
    if (!end) {
        error = "the time given with --to does not exist on this machine";
        return std::nullopt;
    }
    if (*end <= *start) {
        error = "nothing to record: --to is not later than --from";
        return std::nullopt;
    }
    return RecordSpan{*start * kMillis, *end * kMillis};
}

std::optional<FrameSchedule> make_frame_schedule(const RecordSpan& span, int32_t fps, double speed,
                                                 SpeedMode speed_mode, std::string& error) {
    if (speed == 0.0) {
        speed = speed_mode == SpeedMode::Fast ? kFastRecordSpeed : kRealTimeRecordSpeed;
    }
    if (!(speed >= kLeastSpeed && speed <= kGreatestSpeed)) {
        error = "the speed must be from 0.001 to 30000000 simulated seconds a second";
        return std::nullopt;
    }
    if (fps < 1) {
        error = "the frame rate must be at least 1";
        return std::nullopt;
    }
    const int64_t length = span.to_ms - span.from_ms;
    if (length <= 0) {
        error = "nothing to record: --to is not later than --from";
        return std::nullopt;
    }
    FrameSchedule schedule{span.from_ms, std::llround(speed * kMillis), fps, 0};
    // Frame k lies in the span while k * speed_ms < length * fps.
    const bool too_long = length > std::numeric_limits<int64_t>::max() / fps;
    const int64_t count = too_long ? kMaxRecordFrames + 1
                                   : (length * fps + schedule.speed_ms - 1) / schedule.speed_ms;
    if (count > kMaxRecordFrames) {
        error = "the recording would take more than " + std::to_string(kMaxRecordFrames) +
                " frames: choose a shorter span, a higher --speed or a lower --fps";
        return std::nullopt;
    }
    schedule.frame_count = count;
    return schedule;
}

WallTime frame_instant(const FrameSchedule& schedule, int64_t k) {
    const int64_t ms = schedule.from_ms + k * schedule.speed_ms / schedule.fps;
    const int64_t seconds = floor_div(ms, kMillis);
    return {seconds, static_cast<uint16_t>(ms - seconds * kMillis)};
}

int64_t frame_video_ms(const FrameSchedule& schedule, int64_t k) {
    return k * kMillis / schedule.fps;
}

} // namespace zintu
