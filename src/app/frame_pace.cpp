// The frame delay and the frame rate.
#include "app/frame_pace.h"

#include "app/host_callbacks.h"

#include <algorithm>
#include <cmath>

namespace zintu {
namespace {

constexpr int64_t kMillisPerSecond = 1000;
constexpr int32_t kMillisPerDay = 86400 * 1000;

} // namespace

bool every_tick(const PaceInput& input) {
    return input.pace == Pace::EveryTick || input.speed_mode == SpeedMode::Fast ||
           !input.loading_complete;
}

uint32_t next_frame_delay(const PaceInput& input) {
    if (every_tick(input)) return kFrameTimerMillis;
    // The clock's second turns: its next frame comes then at the latest.
    double delay = std::clamp<double>(input.millis_to_next_second, 0, kMaxFrameDelayMillis);
    if (input.fastest_pixels_per_second > 0.0) {
        // Counted from the instant the last frame showed, which is already
        // some time ago; floored, so no vehicle moves more than it may.
        const double moving =
            std::floor(kMaxPixelsPerFrame / input.fastest_pixels_per_second * kMillisPerSecond) -
            input.millis_since_frame;
        // Equal steps up to the second, the last of them on it, rather than
        // full steps and a short one before the second: one frame fewer.
        if (moving < delay) delay = delay / std::ceil(delay / std::max(moving, 1.0));
    }
    return static_cast<uint32_t>(
        std::clamp<double>(delay, kFrameTimerMillis, kMaxFrameDelayMillis));
}

int32_t millis_between(WallTime earlier, WallTime later) {
    const int64_t millis = (later.seconds - earlier.seconds) * kMillisPerSecond +
                           (static_cast<int64_t>(later.millis) - earlier.millis);
    return static_cast<int32_t>(std::clamp<int64_t>(millis, 0, kMillisPerDay));
}

void note_frame(FrameTimes& frames, int64_t now) {
    frames.times.push_back(now);
    // Keep one frame older than a second: the start of the span measured.
    while (frames.times.size() > 2 && frames.times[1] <= now - kMillisPerSecond)
        frames.times.pop_front();
}

double frames_per_second(const FrameTimes& frames) {
    if (frames.times.size() < 2) return 0.0;
    const int64_t span = frames.times.back() - frames.times.front();
    if (span <= 0) return 0.0;
    return static_cast<double>(frames.times.size() - 1) * kMillisPerSecond /
           static_cast<double>(span);
}

} // namespace zintu
