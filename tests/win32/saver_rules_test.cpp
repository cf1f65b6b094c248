// The saver window on Windows: its two forms, input reaching the close
// decision (which is decided and tested natively; one case here proves the
// wiring), the messages the window answers itself in each form, and what
// stops once a close is approved.
#include "host/win32_host.h"
#include "saver_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace zintu::test {
namespace {

class SaverWindowRules : public SaverWindowTest {};

TEST_F(SaverWindowRules, FullScreenFormCoversTheScreenOnTop) {
    SetCursorPos(100, 100);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    ASSERT_NE(open_full_screen(), nullptr);
    EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", "Screen Saver"), window);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF0000u, 0x96000000u);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), 0x2B);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(host_events().at(2).width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(GetCursor(), nullptr) << "the full-screen form hides the cursor";
    EXPECT_EQ(win32.saver.autoplay_message, 0u) << "registered on the Windows 95 family only";
}

// The cursor is read from the screen, from where it was at creation.
TEST_F(SaverWindowRules, InputClosesTheFullScreenFormWhichQuitsWithZero) {
    SetCursorPos(200, 200);
    ASSERT_NE(open_full_screen(), nullptr);
    SetCursorPos(203, 201);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(0, 0)); // its own coordinates are not used
    EXPECT_EQ(count_close_requests(window), 0) << "a move of 4 pixels";
    SetCursorPos(203, 202);
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(count_close_requests(window), 1) << "a move of 5 pixels";
    EXPECT_EQ(win32.saver.saved_cursor_pos.y, 202) << "the reference moves with a closing move";
    SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    MSG close{};
    ASSERT_TRUE(PeekMessageA(&close, window, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    DispatchMessageA(&close);
    EXPECT_FALSE(IsWindow(window));
    int code = -5;
    EXPECT_TRUE(take_quit_message(&code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(win32.saver.close_approved, 0) << "off the Windows 95 family nothing is approved";
}

TEST_F(SaverWindowRules, FullScreenAnswersTitleCommandsAndCursorItself) {
    ASSERT_NE(open_full_screen(), nullptr);
    StageThreeSpy spy;
    install_stage_three_spy(spy);
    SetWindowTextA(window, "Other");
    EXPECT_EQ(window_title(window), "Screen Saver") << "the title never changes";
    for (WPARAM command : {WPARAM{SC_NEXTWINDOW}, WPARAM{SC_PREVWINDOW}, WPARAM{SC_SCREENSAVE}})
        EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, command, 0), 0);
    EXPECT_FALSE(spy.saw(WM_SETTEXT) || spy.saw(WM_SYSCOMMAND)) << "nothing handed on";
    spy.forward = false; // the default processing would act on these
    SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE + 1, 0); // not exactly the command
    SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), 0);
    EXPECT_TRUE(spy.saw(WM_SYSCOMMAND) && spy.saw(WM_CONTEXTMENU)) << "both handed on";

    spy.forward = true;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT), 1);
    EXPECT_EQ(GetCursor(), nullptr);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SendMessageA(window, WM_PAINT, 0, 0);
    EXPECT_EQ(GetCursor(), nullptr) << "painting hides it again";
}

// Its window (a child filling the parent, titled "Preview") is the end-to-end
// test's; here what it answers.
TEST_F(SaverWindowRules, PreviewPassesHelpToItsParentAndKeepsSystemCommands) {
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    ASSERT_NE(open_preview(create_parent_window(160, 120)), nullptr);
    EXPECT_NE(GetCursor(), nullptr) << "the preview leaves the cursor alone";
    EXPECT_EQ(host_events().at(2).width, 160) << "on_init gets the parent's client size";
    StageThreeSpy spy;
    install_stage_three_spy(spy);
    spy.forward = false;
    EXPECT_EQ(SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), 0x00280014),
              1);
    MSG posted{};
    ASSERT_TRUE(PeekMessageA(&posted, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    EXPECT_EQ(posted.wParam, reinterpret_cast<WPARAM>(parent)) << "the parent's own handle";
    EXPECT_EQ(posted.lParam, 0x00280014);
    // WM_HELP carries a pointer, which the system may refuse to post (Wine
    // does); the preview answers 1 and keeps it from the default processing.
    HELPINFO help{};
    help.cbSize = sizeof(help);
    EXPECT_EQ(SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), 1);
    EXPECT_TRUE(spy.messages.empty());
    SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    EXPECT_TRUE(spy.saw(WM_SYSCOMMAND)) << "handed on in a preview";
}

TEST_F(SaverWindowRules, AfterApprovalNoFramesAndOnlyDefaultProcessing) {
    ASSERT_NE(open_full_screen(), nullptr);
    KillTimer(window, 1);
    StageThreeSpy spy;
    install_stage_three_spy(spy);
    win32.saver.close_approved = 1;
    host_events().clear();
    EXPECT_EQ(SendMessageA(window, WM_TIMER, 1, 0), 0);
    for (UINT message : {UINT{WM_PAINT}, UINT{WM_KEYDOWN}, UINT{WM_MOUSEMOVE}})
        SendMessageA(window, message, 0, 0);
    EXPECT_TRUE(host_events().empty()) << "no frame is drawn";
    EXPECT_TRUE(spy.messages.empty()) << "nothing is handed on";
    EXPECT_EQ(count_close_requests(window), 0);
}

} // namespace
} // namespace zintu::test
