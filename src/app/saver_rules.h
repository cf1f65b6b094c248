// The screen saver's numeric closing rules as pure functions, shared by the
// Windows and X11 savers: how far the pointer must travel before the saver
// closes, and (Windows) the span after a refused password in which close
// requests are turned away without asking again.
#pragma once

#include <cstdint>

namespace zintu {

// Movements whose summed |dx| + |dy| exceeds this close the saver.
inline constexpr uint32_t mouse_move_threshold = 4;
// Close requests this soon after a verification ended are refused unasked.
inline constexpr uint32_t kVerifyGraceMillis = 200;
// "Never verified" for the tick count of the last verification's end.
inline constexpr uint32_t kNeverVerified = 0xFFFFFFFFu;

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// True when the pointer at `now` is more than `threshold` pixels (|dx| + |dy|)
// away from `saved_cursor_pos`. Small moves add up because the reference only
// changes at creation (and, on Windows, after a close or a refused one).
bool mouse_move_closes(ScreenPoint saved_cursor_pos, ScreenPoint now,
                       uint32_t threshold = mouse_move_threshold);

// True while `now` lies less than the grace span after `last_verify_end`; the
// unsigned difference keeps this right across the tick counter's wrap.
bool within_verify_grace(uint32_t now, uint32_t last_verify_end);

} // namespace zintu
