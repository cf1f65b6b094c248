// The Windows 95 family paths: password verification before closing, the
// grace span after a refusal, input during verification, the autoplay
// message, the screen-saver-running state and the verifier module.
#include "app/saver_rules.h"
#include "recording_app.h"
#include "saver_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

namespace zintu::test {
namespace {

// The test's verifier, put into the saver's globals as the module's would be.
struct TestVerifier {
    BOOL verdict = FALSE;
    int calls = 0;
    std::function<void(HWND)> while_running; // runs inside the verification
};
TestVerifier verifier;

BOOL WINAPI test_verify(HWND window) {
    ++verifier.calls;
    EXPECT_EQ(win32.saver.verifying_password, 1);
    if (verifier.while_running) verifier.while_running(window);
    return verifier.verdict;
}

class Windows95SaverTest : public SaverWindowTest {
protected:
    void SetUp() override {
        SaverWindowTest::SetUp();
        verifier = TestVerifier{};
        win32.windows95_family = 1;
    }
    void TearDown() override {
        win32.saver.verify_password = nullptr;
        SaverWindowTest::TearDown();
    }
    HWND open_with_verifier(BOOL verdict) {
        HWND opened = open_full_screen();
        verifier.verdict = verdict;
        win32.saver.verify_password = test_verify;
        return opened;
    }
};

TEST_F(Windows95SaverTest, WithoutAVerifierACloseIsApprovedAtOnce) {
    ASSERT_NE(open_full_screen(), nullptr);
    EXPECT_EQ(win32.saver.autoplay_message, RegisterWindowMessageA("QueryCancelAutoPlay"));
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    MSG close{};
    ASSERT_TRUE(PeekMessageA(&close, window, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    DispatchMessageA(&close);
    EXPECT_EQ(win32.saver.close_approved, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(SendMessageA(window, 0x8000, 0, 0), 0); // gone: nothing answers
}

TEST_F(Windows95SaverTest, RefusalKeepsTheSaverRunningWithTheCursorHidden) {
    ASSERT_NE(open_with_verifier(FALSE), nullptr);
    SetCursorPos(300, 310);
    verifier.while_running = [](HWND) { SetCursor(LoadCursor(nullptr, IDC_ARROW)); };
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(verifier.calls, 1);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(win32.saver.close_approved, 0);
    EXPECT_EQ(win32.saver.verifying_password, 0);
    EXPECT_EQ(GetCursor(), nullptr) << "the cursor the verifier showed is hidden again";
    EXPECT_EQ(win32.saver.saved_cursor_pos.x, 300) << "the reference moves to the refusal point";
    EXPECT_EQ(win32.saver.saved_cursor_pos.y, 310);
    EXPECT_NE(win32.saver.last_verify_end, kNeverVerified);

    // Frames go on after a refusal.
    KillTimer(window, 1);
    recording_app().events.clear();
    SendMessageA(window, WM_TIMER, 1, 0);
    EXPECT_EQ(event_names().front(), "on_frame");
}

TEST_F(Windows95SaverTest, ACloseSoonAfterARefusalIsRefusedWithoutAsking) {
    ASSERT_NE(open_with_verifier(FALSE), nullptr);
    SetCursorPos(300, 300);
    SendMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(verifier.calls, 1);
    // Well within the 200 ms after the verifier's end.
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(verifier.calls, 1) << "refused without calling the verifier";
    EXPECT_TRUE(IsWindow(window));

    // Once the span is over, a movement of 5 pixels from the refusal point
    // asks again, and an accepted password closes.
    win32.saver.last_verify_end = GetTickCount() - 250;
    SetCursorPos(302, 302);
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(count_close_requests(window), 0) << "4 pixels";
    SetCursorPos(303, 302);
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    MSG close{};
    ASSERT_TRUE(PeekMessageA(&close, window, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    verifier.verdict = TRUE;
    DispatchMessageA(&close);
    EXPECT_EQ(verifier.calls, 2);
    EXPECT_EQ(win32.saver.close_approved, 1);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(Windows95SaverTest, InputDuringVerificationPostsNoClose) {
    ASSERT_NE(open_with_verifier(TRUE), nullptr);
    KillTimer(window, 1);
    int frames_during = 0;
    verifier.while_running = [&frames_during](HWND saver) {
        SendMessageA(saver, WM_KEYDOWN, VK_SPACE, 0);
        SendMessageA(saver, WM_LBUTTONDOWN, 0, 0);
        SendMessageA(saver, WM_ACTIVATEAPP, 0, 0);
        SetCursorPos(700, 500);
        SendMessageA(saver, WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(count_close_requests(saver), 0);
        // A further close is refused without a second verifier.
        EXPECT_EQ(SendMessageA(saver, WM_CLOSE, 0, 0), 0);
        // Ticks still draw frames.
        recording_app().events.clear();
        SendMessageA(saver, WM_TIMER, 1, 0);
        frames_during = static_cast<int>(recording_app().events.size());
    };
    SetCursorPos(10, 10);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(verifier.calls, 1);
    EXPECT_EQ(frames_during, 2) << "on_frame and after_swap";
    EXPECT_FALSE(IsWindow(window)) << "the accepted password closed the saver";
}

TEST_F(Windows95SaverTest, PendingFrameTicksAreDroppedBeforeVerifying) {
    ASSERT_NE(open_with_verifier(FALSE), nullptr);
    KillTimer(window, 1);
    for (int i = 0; i < 3; ++i)
        PostMessageA(window, WM_TIMER, 1, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    int left = 0;
    MSG tick{};
    while (PeekMessageA(&tick, window, WM_TIMER, WM_TIMER, PM_REMOVE))
        ++left;
    EXPECT_EQ(left, 1) << "two queued ticks are removed, no more";
}

TEST_F(Windows95SaverTest, VerifyRequestRunsTheVerifier) {
    ASSERT_NE(open_full_screen(), nullptr);
    EXPECT_EQ(SendMessageA(window, 0x8000, 0, 0), 1) << "no verifier: close";
    win32.saver.verify_password = test_verify;
    verifier.verdict = FALSE;
    win32.saver.verifying_password = 1; // as verify_before_close sets it
    EXPECT_EQ(SendMessageA(window, 0x8000, 0, 0), 0);
    verifier.verdict = TRUE;
    EXPECT_EQ(SendMessageA(window, 0x8000, 0, 0), 1);
    win32.saver.verifying_password = 0;
}

TEST_F(Windows95SaverTest, AutoplayMessageClosesInEveryStateAndForm) {
    const UINT autoplay = RegisterWindowMessageA("QueryCancelAutoPlay");
    ASSERT_NE(open_full_screen(), nullptr);
    EXPECT_EQ(SendMessageA(window, autoplay, 0, 0), 0) << "no verifier loaded";
    EXPECT_EQ(count_close_requests(window), 1);
    win32.saver.verify_password = test_verify;
    EXPECT_EQ(SendMessageA(window, autoplay, 0, 0), 1) << "a verifier loaded";
    EXPECT_EQ(count_close_requests(window), 1);
    win32.saver.verifying_password = 1;
    EXPECT_EQ(SendMessageA(window, autoplay, 0, 0), 1) << "while verifying";
    EXPECT_EQ(count_close_requests(window), 1);
    win32.saver.verifying_password = 0;
    win32.saver.close_approved = 1;
    EXPECT_EQ(SendMessageA(window, autoplay, 0, 0), 1) << "after approval";
    EXPECT_EQ(count_close_requests(window), 1);
    EXPECT_EQ(verifier.calls, 0);
    win32.saver.verify_password = nullptr;
    DestroyWindow(window);
    take_quit_message();
    UnregisterClassA(kSaverClassName, win32.module_instance);

    reset_saver_globals();
    win32.windows95_family = 1;
    ASSERT_NE(open_preview(create_parent_window(120, 90)), nullptr);
    EXPECT_EQ(win32.saver.autoplay_message, autoplay);
    EXPECT_EQ(SendMessageA(window, autoplay, 0, 0), 0);
    EXPECT_EQ(count_close_requests(window), 1) << "in the preview too";
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window)) << "the preview never asks for a password";
}

TEST_F(Windows95SaverTest, ScreenSaverRunningStateIsSwitchedOnlyOnTheFamily) {
    auto running = [] {
        BOOL on = FALSE;
        SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &on, 0);
        return on != FALSE;
    };
    set_saver_running(1);
    EXPECT_TRUE(running());
    set_saver_running(0);
    EXPECT_FALSE(running());
    win32.windows95_family = 0;
    set_saver_running(1);
    EXPECT_FALSE(running()) << "never touched off the family";
}

// The verifier module is looked up by name: a test module with that name sits
// beside this program. The registry value decides whether it is loaded.
class Windows95VerifierModule : public Windows95SaverTest {
protected:
    void SetUp() override {
        Windows95SaverTest::SetUp();
        RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key_);
    }
    void TearDown() override {
        RegDeleteValueA(key_, "ScreenSaveUsePassword");
        RegCloseKey(key_);
        release_password_verifier();
        Windows95SaverTest::TearDown();
    }
    void set_use_password(DWORD value) {
        RegSetValueExA(key_, "ScreenSaveUsePassword", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&value), sizeof(value));
    }
    HKEY key_ = nullptr;
};

TEST_F(Windows95VerifierModule, LoadedOnlyWhenAPasswordIsInUse) {
    load_password_verifier();
    EXPECT_EQ(win32.saver.password_module, nullptr) << "no registry value";
    set_use_password(0);
    load_password_verifier();
    EXPECT_EQ(win32.saver.password_module, nullptr) << "value 0";

    set_use_password(1);
    load_password_verifier();
    ASSERT_NE(win32.saver.password_module, nullptr);
    ASSERT_NE(win32.saver.verify_password, nullptr);
    EXPECT_EQ(win32.saver.verify_password(nullptr), 7) << "the test module's verifier";
    load_password_verifier(); // again: the first is released, then loaded anew
    EXPECT_NE(win32.saver.verify_password, nullptr);
    release_password_verifier();
    EXPECT_EQ(win32.saver.password_module, nullptr);
    EXPECT_EQ(win32.saver.verify_password, nullptr);

    win32.windows95_family = 0;
    load_password_verifier();
    EXPECT_EQ(win32.saver.password_module, nullptr) << "never off the family";
}

TEST_F(Windows95VerifierModule, FullScreenStartLoadsItAndThePreviewDoesNot) {
    set_use_password(1);
    ASSERT_NE(open_preview(create_parent_window(100, 80)), nullptr);
    EXPECT_EQ(win32.saver.password_module, nullptr);
    DestroyWindow(window);
    take_quit_message();
    UnregisterClassA(kSaverClassName, win32.module_instance);
    reset_saver_globals();
    win32.windows95_family = 1;
    ASSERT_NE(open_full_screen(), nullptr);
    EXPECT_NE(win32.saver.verify_password, nullptr);
}

} // namespace
} // namespace zintu::test
