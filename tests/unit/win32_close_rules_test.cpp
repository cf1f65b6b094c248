// The Windows saver's default stage, decided natively: which messages close a
// running full-screen saver, what the mouse threshold measures from, what a
// preview, a saver going away or a running verifier ignore, the password
// steps of the Windows 95 family and the autoplay message.
#include "host/win32_close_rules.h"

#include <gtest/gtest.h>

namespace zintu {
namespace {

using namespace win32_message;

constexpr uint32_t kKeyUp = 0x0101;
constexpr uint32_t kChar = 0x0102;
constexpr uint32_t kAutoplay = 0xC123; // a registered message

enum class Form { Running, Preview, Approved, Verifying, Win95, Win95Verifier };

SaverCloseState state_of(Form form) {
    SaverCloseState s;
    s.saved_cursor_pos = {100, 100};
    s.autoplay_message = kAutoplay;
    s.preview_mode = form == Form::Preview;
    s.close_approved = form == Form::Approved;
    s.verifying_password = form == Form::Verifying;
    s.windows95_family = form == Form::Win95 || form == Form::Win95Verifier;
    s.verifier_loaded = form == Form::Win95Verifier;
    return s;
}

TEST(Win32CloseRules, EachMessageInEachState) {
    constexpr CloseStep D = CloseStep::Default, A = CloseStep::Answer, V = CloseStep::VerifyClose,
                        R = CloseStep::RunVerifier;
    struct Case {
        const char* name;
        Form form;
        uint32_t message;
        uint64_t wparam;
        ScreenPoint now;
        CloseStep step;
        int64_t answer;
        bool post, hide, save;
    } cases[] = {
        {"key", Form::Running, kKeyDown, 0x20, {}, D, 0, true, false, false},
        {"system key", Form::Running, kSysKeyDown, 0x12, {}, D, 0, true, false, false},
        {"left button", Form::Running, kLButtonDown, 1, {}, D, 0, true, false, false},
        {"right button", Form::Running, kRButtonDown, 2, {}, D, 0, true, false, false},
        {"middle button", Form::Running, kMButtonDown, 16, {}, D, 0, true, false, false},
        {"power broadcast", Form::Running, kPowerBroadcast, 4, {}, D, 0, true, false, false},
        {"power broadcast 0x12",
         Form::Running,
         kPowerBroadcast,
         0x12,
         {},
         D,
         0,
         true,
         false,
         false},
        {"deactivation", Form::Running, kActivateApp, 0, {}, D, 0, true, false, false},
        {"activation", Form::Running, kActivateApp, 1, {}, D, 0, false, false, false},
        {"critical resume", Form::Running, kPower, 3, {}, D, 0, true, false, false},
        {"other power event", Form::Running, kPower, 1, {}, D, 0, false, false, false},
        {"shown", Form::Running, kShowWindow, 1, {}, D, 0, false, true, false},
        {"hidden", Form::Running, kShowWindow, 0, {}, D, 0, false, false, false},
        {"cursor shape", Form::Running, kSetCursor, 0, {}, A, 1, false, true, false},
        {"key up", Form::Running, kKeyUp, 0x20, {}, D, 0, false, false, false},
        {"character", Form::Running, kChar, 'a', {}, D, 0, false, false, false},
        {"move in place", Form::Running, kMouseMove, 0, {100, 100}, D, 0, false, false, false},
        {"move 3 right 1 down",
         Form::Running,
         kMouseMove,
         0,
         {103, 101},
         D,
         0,
         false,
         false,
         false},
        {"move 3 right 2 down", Form::Running, kMouseMove, 0, {103, 102}, D, 0, true, false, true},
        {"move 3 left 2 up", Form::Running, kMouseMove, 0, {97, 98}, D, 0, true, false, true},
        {"close, NT family", Form::Running, kClose, 0, {}, D, 0, false, false, false},
        {"verify request, NT family",
         Form::Running,
         kVerifyRequest,
         0,
         {},
         D,
         0,
         false,
         false,
         false},
        {"close, 95 family", Form::Win95, kClose, 0, {}, V, 0, false, false, false},
        {"verify request, 95 family",
         Form::Win95,
         kVerifyRequest,
         0,
         {},
         R,
         0,
         false,
         false,
         false},
        {"key, 95 family", Form::Win95, kKeyDown, 0x20, {}, D, 0, true, false, false},
        {"preview: key", Form::Preview, kKeyDown, 0x20, {}, D, 0, false, false, false},
        {"preview: far move", Form::Preview, kMouseMove, 0, {300, 300}, D, 0, false, false, false},
        {"preview: deactivation", Form::Preview, kActivateApp, 0, {}, D, 0, false, false, false},
        {"preview: cursor shape", Form::Preview, kSetCursor, 0, {}, D, 0, false, false, false},
        {"approved: key", Form::Approved, kKeyDown, 0x20, {}, D, 0, false, false, false},
        {"verifying: key", Form::Verifying, kKeyDown, 0x20, {}, D, 0, false, false, false},
        {"verifying: far move",
         Form::Verifying,
         kMouseMove,
         0,
         {300, 300},
         D,
         0,
         false,
         false,
         false},
        {"verifying: cursor shape", Form::Verifying, kSetCursor, 0, {}, D, 0, false, false, false},
        {"autoplay", Form::Running, kAutoplay, 0, {}, A, 0, true, false, false},
        {"autoplay in a preview", Form::Preview, kAutoplay, 0, {}, A, 0, true, false, false},
        {"autoplay, approved", Form::Approved, kAutoplay, 0, {}, A, 0, true, false, false},
        {"autoplay with a verifier",
         Form::Win95Verifier,
         kAutoplay,
         0,
         {},
         A,
         1,
         true,
         false,
         false},
    };
    for (const Case& c : cases) {
        const CloseDecision d = decide_saver_default(c.message, c.wparam, state_of(c.form), c.now);
        EXPECT_EQ(d.step, c.step) << c.name;
        EXPECT_EQ(d.answer, c.answer) << c.name;
        EXPECT_EQ(d.post_close, c.post) << c.name;
        EXPECT_EQ(d.hide_cursor, c.hide) << c.name;
        EXPECT_EQ(d.save_cursor, c.save) << c.name;
    }
}

TEST(Win32CloseRules, AnUnregisteredAutoplayMessageIsNoMessage) {
    SaverCloseState s = state_of(Form::Running);
    s.autoplay_message = 0;
    EXPECT_EQ(decide_saver_default(0, 0, s, {}).step, CloseStep::Default);
    EXPECT_FALSE(decide_saver_default(0, 0, s, {}).post_close);
}

} // namespace
} // namespace zintu
