// The Windows 95 family's password verification as the window runs it: a
// close approved without a verifier, the verifier called before closing,
// input and frames while it runs, a refusal and the grace span after it, the
// autoplay message's answer, and the verifier module with the
// screen-saver-running state. Which message asks for what is decided natively.
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
    // Dispatches the close request that input posted; false without one.
    bool dispatch_close() {
        MSG close{};
        if (!PeekMessageA(&close, window, WM_CLOSE, WM_CLOSE, PM_REMOVE)) return false;
        DispatchMessageA(&close);
        return true;
    }
};

// The autoplay message is registered in both forms; in which states it
// closes is decided natively.
TEST_F(Windows95SaverTest, WithoutAVerifierACloseIsApprovedAtOnce) {
    const UINT autoplay = RegisterWindowMessageA("QueryCancelAutoPlay");
    ASSERT_NE(open_full_screen(), nullptr);
    EXPECT_EQ(SendMessageA(window, 0x8000, 0, 0), 1) << "the verify request: no verifier, close";
    win32.saver.verify_password = test_verify;
    EXPECT_EQ(SendMessageA(window, autoplay, 0, 0), 1) << "autoplay, a verifier loaded";
    win32.saver.verify_password = nullptr;
    EXPECT_EQ(SendMessageA(window, autoplay, 0, 0), 0) << "autoplay, no verifier loaded";
    EXPECT_EQ(count_close_requests(window), 2);
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(dispatch_close());
    EXPECT_EQ(win32.saver.close_approved, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(verifier.calls, 0);
}

TEST_F(Windows95SaverTest, ARefusalKeepsItRunningAndAsksAgainOnlyAfterTheGraceSpan) {
    ASSERT_NE(open_with_verifier(FALSE), nullptr);
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

    // Well within the 200 ms after the verifier's end: refused without asking.
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(verifier.calls, 1);

    // Once the span is over, a movement of 5 pixels from the refusal point
    // asks again, and an accepted password closes.
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

bool saver_running() {
    BOOL on = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &on, 0);
    return on != FALSE;
}

// Loaded, it marks the screen saver as running until it is released.
TEST_F(Windows95VerifierModule, LoadedOnlyWhenAPasswordIsInUse) {
    load_password_verifier();
    EXPECT_EQ(win32.saver.password_module, nullptr) << "no registry value";
    set_use_password(0);
    load_password_verifier();
    EXPECT_EQ(win32.saver.password_module, nullptr) << "value 0";

    set_use_password(1);
    load_password_verifier();
    ASSERT_NE(win32.saver.verify_password, nullptr);
    EXPECT_EQ(win32.saver.verify_password(nullptr), 7) << "the test module's verifier";
    EXPECT_TRUE(saver_running());
    load_password_verifier(); // again: the first is released, then loaded anew
    EXPECT_NE(win32.saver.verify_password, nullptr);
    release_password_verifier();
    EXPECT_EQ(win32.saver.password_module, nullptr);
    EXPECT_FALSE(saver_running());

    win32.windows95_family = 0;
    load_password_verifier();
    EXPECT_EQ(win32.saver.password_module, nullptr) << "never off the family";
    set_saver_running(1);
    EXPECT_FALSE(saver_running()) << "never touched off the family";
}

// The full-screen start loads it; the preview does not.
TEST_F(Windows95VerifierModule, FullScreenStartLoadsItAndThePreviewDoesNot) {
    set_use_password(1);
    ASSERT_NE(open_preview(create_parent_window(100, 80)), nullptr);
    EXPECT_EQ(win32.saver.password_module, nullptr);
    close_and_reset();
    win32.windows95_family = 1;
    ASSERT_NE(open_full_screen(), nullptr);
    EXPECT_NE(win32.saver.verify_password, nullptr);
}

} // namespace
} // namespace zintu::test
