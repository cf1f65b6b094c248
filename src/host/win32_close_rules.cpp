// The Windows saver's default-stage rules, tried in a fixed order: nothing
// closes a preview or a saver already going away; a close request may need
// the password first; while the verifier runs, input closes nothing; then the
// input and system events that end a full-screen saver; last, the autoplay
// message, which closes in every state.
#include "host/win32_close_rules.h"

namespace zintu {
namespace {

using namespace win32_message;

// Steps 1 to 5: the rules of a running full-screen saver. Returns true when
// one of them answers by itself.
bool running_saver_rule(uint32_t message, uint64_t wparam, const SaverCloseState& state,
                        ScreenPoint now, CloseDecision& d) {
    if (state.preview_mode || state.close_approved) return false;
    if (message == kClose) {
        if (state.windows95_family) d.step = CloseStep::VerifyClose;
        return state.windows95_family;
    }
    if (message == kVerifyRequest) {
        if (state.windows95_family) d.step = CloseStep::RunVerifier;
        return state.windows95_family;
    }
    if (state.verifying_password) return false;
    switch (message) {
    case kShowWindow:
        d.hide_cursor = wparam != 0;
        return false;
    case kActivateApp:
        d.post_close = wparam == 0;
        return false;
    case kSetCursor:
        d.hide_cursor = true;
        d.step = CloseStep::Answer;
        d.answer = 1;
        return true;
    case kPower:
        d.post_close = wparam == kPowerCriticalResume;
        return false;
    case kKeyDown:
    case kSysKeyDown:
    case kLButtonDown:
    case kRButtonDown:
    case kMButtonDown:
        d.post_close = true;
        return false;
    case kPowerBroadcast:
        // The display's state comes as a power broadcast too: the saver
        // pauses while the display is off, and keeps running.
        d.post_close = wparam != kPowerSettingChange;
        return false;
    case kMouseMove:
        // Small moves add up: the reference only moves when a move closes.
        if (mouse_move_closes(state.saved_cursor_pos, now, state.mouse_move_threshold)) {
            d.post_close = true;
            d.save_cursor = true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace

CloseDecision decide_saver_default(uint32_t message, uint64_t wparam, const SaverCloseState& state,
                                   ScreenPoint now) {
    CloseDecision d;
    if (running_saver_rule(message, wparam, state, now, d)) return d;
    if (state.autoplay_message != 0 && message == state.autoplay_message) {
        d.post_close = true;
        d.step = CloseStep::Answer;
        d.answer = state.verifier_loaded ? 1 : 0;
    }
    return d;
}

} // namespace zintu
