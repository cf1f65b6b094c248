// When the next frame is drawn. Every tick of the 10 ms frame timer draws
// while anything changes from frame to frame (fast mode, the loading frames)
// or when the settings ask for it; in real time the saver draws only as often
// as the picture changes: before any vehicle on screen has moved more than a
// quarter of a pixel, and when the clock's second turns. What a frame shows
// depends only on its instant, so this decides when, never what.
//
// Also the frames-per-second line: the frames actually drawn in the last
// second.
#pragma once

#include "app/settings.h"
#include "sim/clock.h"

#include <cstdint>
#include <deque>

namespace zintu {

// The longest wait between two frames, and the furthest a vehicle may move
// in between.
inline constexpr uint32_t kMaxFrameDelayMillis = 1000;
inline constexpr double kMaxPixelsPerFrame = 0.25;

// What the delay depends on; the times are those of the moment the delay is
// asked for.
struct PaceInput {
    Pace pace = Pace::Auto;
    SpeedMode speed_mode = SpeedMode::RealTime;
    bool loading_complete = false;
    // The fastest a drawn vehicle moves on screen until the clock's next
    // second, in pixels per second.
    double fastest_pixels_per_second = 0.0;
    // Since the instant the last frame showed, and until the clock's next
    // whole second.
    int32_t millis_since_frame = 0;
    int32_t millis_to_next_second = 1000;
};

// True when the delay is today's tick whatever the vehicles do, so their
// speed need not be worked out.
bool every_tick(const PaceInput& input);

// Milliseconds from now to the next frame, between the frame timer's period
// and kMaxFrameDelayMillis.
uint32_t next_frame_delay(const PaceInput& input);

// The milliseconds of the wall clock from `earlier` to `later` (0 when
// `later` is not after it; the range of a day at most).
int32_t millis_between(WallTime earlier, WallTime later);

// The times (milliseconds of a steady clock) of the frames drawn lately: the
// last second's, and the one before them, which says how long the second's
// frames took.
struct FrameTimes {
    std::deque<int64_t> times;
};

// Notes a frame drawn at `now` (not before the last noted one) and forgets
// frames no longer needed.
void note_frame(FrameTimes& frames, int64_t now);

// Frames per second over the last second up to the last noted frame: the
// frames of that second over the time since the frame before them; 0 until
// two frames are known.
double frames_per_second(const FrameTimes& frames);

} // namespace zintu
