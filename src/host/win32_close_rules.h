// The Windows saver's default stage as a pure decision: given one message,
// its wparam and the saver's state, what the window must do (post a close
// request, hide the cursor, remember the cursor, ask the password verifier)
// and what the message is answered. No Windows headers, so every rule is
// tested natively; win32_saver_window.cpp only performs what this decides.
#pragma once

#include "app/saver_rules.h"

#include <cstdint>

namespace zintu {

// The window messages the rules name (their values are the system's).
namespace win32_message {
inline constexpr uint32_t kClose = 0x0010;
inline constexpr uint32_t kShowWindow = 0x0018;
inline constexpr uint32_t kActivateApp = 0x001C;
inline constexpr uint32_t kSetCursor = 0x0020;
inline constexpr uint32_t kPower = 0x0048;
inline constexpr uint32_t kKeyDown = 0x0100;
inline constexpr uint32_t kSysKeyDown = 0x0104;
inline constexpr uint32_t kMouseMove = 0x0200;
inline constexpr uint32_t kLButtonDown = 0x0201;
inline constexpr uint32_t kRButtonDown = 0x0204;
inline constexpr uint32_t kMButtonDown = 0x0207;
inline constexpr uint32_t kPowerBroadcast = 0x0218;
// Private message that asks the default stage to run the password verifier.
inline constexpr uint32_t kVerifyRequest = 0x8000;
// wparam of kPower after a critical suspend.
inline constexpr uint64_t kPowerCriticalResume = 3;
// wparam of kPowerBroadcast for a power setting the window registered for
// (the display going off or on): no reason to close.
inline constexpr uint64_t kPowerSettingChange = 0x8013;
} // namespace win32_message

// What the rules read of the saver's state.
struct SaverCloseState {
    bool preview_mode = false;
    bool close_approved = false;
    bool verifying_password = false;
    bool windows95_family = false;
    bool verifier_loaded = false;
    uint32_t autoplay_message = 0; // 0: not registered
    ScreenPoint saved_cursor_pos;
    uint32_t mouse_move_threshold = zintu::mouse_move_threshold;
};

enum class CloseStep : uint8_t {
    Default,     // the system's default processing with the same arguments
    Answer,      // answer `answer`, without default processing
    VerifyClose, // a close request on the Windows 95 family: ask before closing;
                 // approved: default processing (which destroys the window);
                 // refused: remember where the cursor is now and answer 0
    RunVerifier, // the verify request: answer the verifier's result, 1 without one
};

struct CloseDecision {
    CloseStep step = CloseStep::Default;
    int64_t answer = 0;
    bool post_close = false;  // post a close request to the window first
    bool hide_cursor = false; // set the cursor shape to none
    bool save_cursor = false; // the cursor position `now` becomes the reference
};

// The default stage's decision for one message. `now` is the cursor's screen
// position, read by the caller for a mouse movement (the message's own
// coordinates are client-relative and may lag).
CloseDecision decide_saver_default(uint32_t message, uint64_t wparam, const SaverCloseState& state,
                                   ScreenPoint now);

} // namespace zintu
