// The Windows saver's default message handling, decided natively for each
// message in each state of the saver.
#include "host/win32_close_rules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zintu {
namespace {

using namespace win32_message;

constexpr uint32_t kAutoplay = 0xC123; // a registered message

enum class Form { Running, Preview, Approved, Verifying, Win95, Win95Verifier, NoAutoplay };

SaverCloseState state_of(Form form) {
    SaverCloseState s;
    s.saved_cursor_pos = {100, 100};
    s.autoplay_message = form == Form::NoAutoplay ? 0 : kAutoplay;
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
    constexpr Form Run = Form::Running, Pre = Form::Preview, Ok = Form::Approved,
                   Ver = Form::Verifying, W95 = Form::Win95;
    constexpr uint32_t kKeyUp = 0x0101;
    // The state, message, wparam, pointer; the step, its answer, and whether
    // to post a close, hide the cursor, save the pointer as the reference.
    using Case = std::tuple<const char*, Form, uint32_t, uint64_t, ScreenPoint, CloseStep, int64_t,
                            bool, bool, bool>;
    const Case cases[] = {
        {"key", Run, kKeyDown, 0x20, {}, D, 0, 1, 0, 0},
        {"left button", Run, kLButtonDown, 1, {}, D, 0, 1, 0, 0},
        {"deactivation", Run, kActivateApp, 0, {}, D, 0, 1, 0, 0},
        {"activation", Run, kActivateApp, 1, {}, D, 0, 0, 0, 0},
        {"critical resume", Run, kPower, 3, {}, D, 0, 1, 0, 0},
        {"other power event", Run, kPower, 1, {}, D, 0, 0, 0, 0},
        {"shown", Run, kShowWindow, 1, {}, D, 0, 0, 1, 0},
        {"hidden", Run, kShowWindow, 0, {}, D, 0, 0, 0, 0},
        {"cursor shape", Run, kSetCursor, 0, {}, A, 1, 0, 1, 0},
        {"key up", Run, kKeyUp, 0x20, {}, D, 0, 0, 0, 0},
        {"move 3 right 1 down", Run, kMouseMove, 0, {103, 101}, D, 0, 0, 0, 0},
        {"move 3 left 2 up", Run, kMouseMove, 0, {97, 98}, D, 0, 1, 0, 1},
        {"close, NT family", Run, kClose, 0, {}, D, 0, 0, 0, 0},
        {"verify request, NT family", Run, kVerifyRequest, 0, {}, D, 0, 0, 0, 0},
        {"close, 95 family", W95, kClose, 0, {}, V, 0, 0, 0, 0},
        {"verify request, 95 family", W95, kVerifyRequest, 0, {}, R, 0, 0, 0, 0},
        {"key, 95 family", W95, kKeyDown, 0x20, {}, D, 0, 1, 0, 0},
        {"preview: key", Pre, kKeyDown, 0x20, {}, D, 0, 0, 0, 0},
        {"preview: cursor shape", Pre, kSetCursor, 0, {}, D, 0, 0, 0, 0},
        {"approved: key", Ok, kKeyDown, 0x20, {}, D, 0, 0, 0, 0},
        {"verifying: key", Ver, kKeyDown, 0x20, {}, D, 0, 0, 0, 0},
        {"autoplay", Run, kAutoplay, 0, {}, A, 0, 1, 0, 0},
        {"autoplay with a verifier", Form::Win95Verifier, kAutoplay, 0, {}, A, 1, 1, 0, 0},
        {"message 0 while autoplay is unregistered", Form::NoAutoplay, 0, 0, {}, D, 0, 0, 0, 0},
    };
    for (const auto& [name, form, message, wparam, now, step, answer, post, hide, save] : cases) {
        const CloseDecision d = decide_saver_default(message, wparam, state_of(form), now);
        EXPECT_EQ(std::tie(d.step, d.answer, d.post_close, d.hide_cursor, d.save_cursor),
                  std::tie(step, answer, post, hide, save))
            << name;
    }
}

} // namespace
} // namespace zintu
