// The Windows 95 family's password verification as the window runs it: the
// verifier module found by name and loaded by the full-screen start only, a
// close approved at once without one, and with one: input and frames while it
// runs, a refusal and the grace span after it. Which message asks for what,
// and the grace span's arithmetic, are decided natively.
#include "app/host_callbacks.h"
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
        RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key_);
    }
    void TearDown() override {
        RegDeleteValueA(key_, "ScreenSaveUsePassword");
        RegCloseKey(key_);
        release_password_verifier();
        win32.saver.verify_password = nullptr;
        SaverWindowTest::TearDown();
    }
    void set_use_password(DWORD value) {
        RegSetValueExA(key_, "ScreenSaveUsePassword", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&value), sizeof(value));
    }
    // Dispatches the close request that input posted; false without one.
    bool dispatch_close() {
        MSG close{};
        if (!PeekMessageA(&close, window, WM_CLOSE, WM_CLOSE, PM_REMOVE)) return false;
        DispatchMessageA(&close);
        return true;
    }
    HKEY key_ = nullptr;
};

bool saver_running() {
    BOOL on = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &on, 0);
    return on != FALSE;
}

// A module named PASSWORD.CPL sits beside this program; its verifier answers 7.
TEST_F(Windows95SaverTest, TheFullScreenStartLoadsTheVerifierWhenAPasswordIsInUse) {
    set_use_password(0);
    ASSERT_NE(open_full_screen(), nullptr);
    EXPECT_EQ(win32.saver.password_module, nullptr) << "no password in use";
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(dispatch_close());
    EXPECT_EQ(win32.saver.close_approved, 1) << "without a verifier a close is approved at once";
    EXPECT_FALSE(IsWindow(window));
    close_and_reset();

    win32.windows95_family = 1;
    set_use_password(1);
    ASSERT_NE(open_preview(create_parent_window(100, 80)), nullptr);
    EXPECT_EQ(win32.saver.password_module, nullptr) << "a preview never loads it";
    close_and_reset();

    win32.windows95_family = 1;
    ASSERT_NE(open_full_screen(), nullptr);
    ASSERT_NE(win32.saver.verify_password, nullptr);
    EXPECT_EQ(win32.saver.verify_password(nullptr), 7);
    EXPECT_TRUE(saver_running()) << "marked as running while it is loaded";
    release_password_verifier();
    EXPECT_EQ(win32.saver.password_module, nullptr);
    EXPECT_FALSE(saver_running());

    win32.windows95_family = 0;
    load_password_verifier();
    EXPECT_EQ(win32.saver.password_module, nullptr) << "never off the family";
}

TEST_F(Windows95SaverTest, ARefusalKeepsItRunningAndAsksAgainOnlyAfterTheGraceSpan) {
    ASSERT_NE(open_full_screen(), nullptr);
    verifier.verdict = FALSE;
    win32.saver.verify_password = test_verify;
    KillTimer(window, kFrameTimerId);
    for (int i = 0; i < 3; ++i)
        PostMessageA(window, WM_TIMER, kFrameTimerId, 0);
    SetCursorPos(300, 310);
    int frames_during = 0;
    verifier.while_running = [&frames_during](HWND saver) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW)); // as a password dialog would
        SendMessageA(saver, WM_KEYDOWN, VK_SPACE, 0);
        SendMessageA(saver, WM_LBUTTONDOWN, 0, 0);
        EXPECT_EQ(count_close_requests(saver), 0) << "input while it runs";
        EXPECT_EQ(SendMessageA(saver, WM_CLOSE, 0, 0), 0) << "a further close is refused";
        host_events().clear();
        SendMessageA(saver, WM_TIMER, kFrameTimerId, 0);
        frames_during = static_cast<int>(host_events().size());
    };
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(verifier.calls, 1);
    EXPECT_EQ(frames_during, 2) << "on_frame and after_swap while it runs";
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(win32.saver.verifying_password, 0);
    EXPECT_EQ(GetCursor(), nullptr) << "the cursor the verifier showed is hidden again";
    EXPECT_EQ(win32.saver.saved_cursor_pos.y, 310) << "the reference moves to the refusal point";
    int ticks_left = 0;
    for (MSG tick{}; PeekMessageA(&tick, window, WM_TIMER, WM_TIMER, PM_REMOVE);)
        ++ticks_left;
    EXPECT_EQ(ticks_left, 1) << "two queued ticks were dropped before verifying, no more";

    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0) << "within the grace span";
    EXPECT_EQ(verifier.calls, 1) << "refused without asking";

    // Once the span is over, a move of 5 pixels from the refusal point asks
    // again, and an accepted password closes.
    win32.saver.last_verify_end = GetTickCount() - 250;
    verifier.while_running = nullptr;
    verifier.verdict = TRUE;
    SetCursorPos(303, 312);
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    ASSERT_TRUE(dispatch_close());
    EXPECT_EQ(verifier.calls, 2);
    EXPECT_EQ(win32.saver.close_approved, 1);
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
} // namespace zintu::test
