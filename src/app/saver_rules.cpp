// The saver's numeric rules: mouse threshold and verification grace.
#include "app/saver_rules.h"

namespace zintu {
namespace {

// Absolute difference without the overflow that int32 subtraction could hit.
uint64_t distance(int32_t a, int32_t b) {
    const int64_t d = static_cast<int64_t>(a) - static_cast<int64_t>(b);
    return static_cast<uint64_t>(d < 0 ? -d : d);
}

} // namespace

bool mouse_move_closes(ScreenPoint saved_cursor_pos, ScreenPoint now, uint32_t threshold) {
    return distance(now.x, saved_cursor_pos.x) + distance(now.y, saved_cursor_pos.y) > threshold;
}

bool within_verify_grace(uint32_t now, uint32_t last_verify_end) {
    return last_verify_end != kNeverVerified && now - last_verify_end < kVerifyGraceMillis;
}

} // namespace zintu
