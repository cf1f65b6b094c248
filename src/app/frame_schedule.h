// The instants a recording shows: its span read in the network's zone, and
// the clock of every frame for a frame rate and a speed. Pure arithmetic in
// whole milliseconds, each frame's instant computed from its number alone, so
// a long recording never drifts.
#pragma once

#include "sim/clock.h"
#include "sim/time_zone.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zintu {

// One end of the span as the command line gives it: a whole date and time,
// or a time of day (0 to 86400 s) on the recording's day.
struct SpanBound {
    std::optional<CivilTime> date_and_time;
    int32_t second_of_day = 0;
};

// Epoch milliseconds; the end is not shown.
struct RecordSpan {
    int64_t from_ms = 0;
    int64_t to_ms = 0;
};

// Simulated seconds per second of video when none is asked for: the fast
// clock's nine seconds per 10 ms tick, so a day plays in 96 s as on screen;
// real time plays at its own pace.
inline constexpr double kFastRecordSpeed = 900.0;
inline constexpr double kRealTimeRecordSpeed = 1.0;

// Above this many frames a recording is refused (nine hours at 30 frames a
// second): a slip of --speed or the span should not mean days of rendering.
inline constexpr int64_t kMaxRecordFrames = 1000000;

// The span: `from` (default 00:00) and `to` (default the same wall-clock time
// a day later) in `zone`. A time of day is on the recording's day: the date
// of `from` when it has one, else the date `day_epoch` reads in `zone`. A
// time-of-day `to` earlier than `from` is on the next day. Empty, with a
// one-line reason, when an end does not exist on this machine or the span is
// empty.
std::optional<RecordSpan> resolve_span(const std::optional<SpanBound>& from,
                                       const std::optional<SpanBound>& to, int64_t day_epoch,
                                       const TimeZone& zone, std::string& error);

struct FrameSchedule {
    int64_t from_ms = 0;
    int64_t speed_ms = 0; // simulated milliseconds per second of video
    int32_t fps = 30;
    int64_t frame_count = 0;
};

// Frame k shows from + k * speed / fps, for every k whose instant lies before
// the span's end. `speed` 0 takes `speed_mode`'s rate. Empty, with a one-line
// reason, for a speed below a millisecond a second or above a year a second,
// a frame rate below 1, or more than kMaxRecordFrames frames.
std::optional<FrameSchedule> make_frame_schedule(const RecordSpan& span, int32_t fps, double speed,
                                                 SpeedMode speed_mode, std::string& error);

// The instant frame `k` shows.
WallTime frame_instant(const FrameSchedule& schedule, int64_t k);

// Where frame `k` starts in the video, in milliseconds (rounded down).
int64_t frame_video_ms(const FrameSchedule& schedule, int64_t k);

} // namespace zintu
