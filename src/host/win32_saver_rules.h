// The saver window's numeric rules as pure functions: how far the mouse must
// travel before the saver closes, and the span after a refused password in
// which close requests are turned away without asking again.
#pragma once

#include <cstdint>

namespace zintu {

// Movements whose summed |dx| + |dy| exceeds this close the saver.
inline constexpr uint32_t kMouseMoveThreshold = 4;
// Close requests this soon after a verification ended are refused unasked.
inline constexpr uint32_t kVerifyGraceMillis = 200;
// "Never verified" for the tick count of the last verification's end.
inline constexpr uint32_t kNeverVerified = 0xFFFFFFFFu;

struct CursorPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// True when the cursor has moved from `saved` to `now` by more than
// `threshold` pixels, counted as the sum of the absolute x and y differences.
bool movement_closes(CursorPoint saved, CursorPoint now, uint32_t threshold);

// True while `now` lies less than the grace span after `last_verify_end`; the
// unsigned difference keeps this right across the tick counter's wrap.
bool within_verify_grace(uint32_t now, uint32_t last_verify_end);

} // namespace zintu
