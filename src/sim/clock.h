// The simulation clock: the moment at which a frame's vehicles are placed and
// the time the overlay shows, in real time or in fast mode, in the network's
// own time zone.
#pragma once

#include "sim/time_zone.h"

#include <cstdint>
#include <ctime>
#include <functional>

namespace zintu {

// Seconds from one midnight to the next; also the day offset between service days.
inline constexpr int32_t kSecondsPerDay = 86400;

// The clock's speed, chosen once by the settings; the characters are the ones
// the settings have always been known by.
enum class SpeedMode : char {
    RealTime = 'r', // the computer's wall-clock time, read anew each frame
    Fast = 'f',     // a simulated day from midnight, nine seconds a frame
};

// Simulated seconds added per frame in fast mode: a day takes 9600 frames.
inline constexpr float kFastStep = 9.0f;

// A wall-clock reading: whole seconds since the epoch plus milliseconds.
struct WallTime {
    int64_t seconds;
    uint16_t millis;
};

// Where the clock reads the time; the saver passes the system clock, tests and
// the headless tools pass any moment they like.
using TimeSource = std::function<WallTime()>;

WallTime system_time();

struct SimClock {
    // Seconds since the midnight of the day `local_time` shows; fast mode keeps
    // it in [0, 86400), real time reaches 86400.0 in the last 3 ms of a day.
    float seconds = 0.0f;
    std::tm local_time{};
    // Fast mode: simulated midnights passed since the start, added to the real
    // date so the date and weekday move on without `seconds` growing.
    int64_t fast_days = 0;
    // The wall-clock reading the frame was made at, in both modes.
    WallTime reading{};
};

// Advances `clock` to the frame's moment: the reading of `now` in `zone` in
// real time; nine simulated seconds more in fast mode, on the date `now`
// reads in `zone`, moved on by the simulated midnights passed.
void update_clock(SimClock& clock, SpeedMode speed_mode, const TimeSource& now,
                  const TimeZone& zone);

// Sets the fast clock one step before the time of day of `epoch_seconds` in
// `zone`, so that its next update shows that time (on that date, when read
// from a source that returns `epoch_seconds`).
void prime_fast_clock(SimClock& clock, int64_t epoch_seconds, const TimeZone& zone);

// Moves the calendar date of `time` by `days` (any size), recomputing the
// weekday and day of year; the time of day is left alone.
void shift_date(std::tm& time, int64_t days);

} // namespace zintu
