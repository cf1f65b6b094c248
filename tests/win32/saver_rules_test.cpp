// The saver window on Windows: its two forms, input reaching the close
// decision (decided natively), the messages the window answers itself, the
// single-instance check and what stops once a close is approved.
#include "host/win32_host.h"
#include "recording_app.h"
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
    EXPECT_EQ(class_name(window), "WindowsScreenSaverClass");
    EXPECT_EQ(window_title(window), "Screen Saver");
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF0000u, 0x96000000u);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), 0x2B);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(win32.host.host_window, window);
    EXPECT_EQ(win32.host.client_width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(win32.host.client_height, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(win32.saver.preview_mode, 0);
    EXPECT_EQ(win32.saver.saved_cursor_pos.x, 100);
    EXPECT_EQ(win32.saver.saved_cursor_pos.y, 100);
    EXPECT_EQ(GetCursor(), nullptr) << "the full-screen form hides the cursor";
    EXPECT_EQ(win32.saver.autoplay_message, 0u) << "registered on the Windows 95 family only";
}

TEST_F(SaverWindowRules, PreviewFormFillsTheParentsClientArea) {
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    ASSERT_NE(open_preview(create_parent_window(200, 150)), nullptr);
    EXPECT_EQ(class_name(window), "WindowsScreenSaverClass");
    EXPECT_EQ(window_title(window), "Preview");
    EXPECT_EQ(GetParent(window), parent);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF0000u, 0x52000000u);
    EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rect{};
    GetClientRect(window, &rect);
    EXPECT_EQ(rect.right, 200);
    EXPECT_EQ(rect.bottom, 150);
    EXPECT_EQ(recording_app().events.at(2).name, "on_init");
    EXPECT_EQ(recording_app().events.at(2).width, 200);
    EXPECT_EQ(recording_app().events.at(2).height, 150);
    EXPECT_EQ(win32.saver.preview_mode, 1);
    EXPECT_NE(GetCursor(), nullptr) << "the preview leaves the cursor alone";
}

// Which input closes is decided natively; this checks that the window's
// messages reach that decision, with the cursor read from the screen.
TEST_F(SaverWindowRules, InputClosesOnlyTheFullScreenForm) {
    SetCursorPos(200, 200);
    ASSERT_NE(open_full_screen(), nullptr);
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(count_close_requests(window), 1) << "a key";
    SetCursorPos(203, 202);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(0, 0)); // its own coordinates are not used
    EXPECT_EQ(count_close_requests(window), 1) << "a move of 5 pixels";
    EXPECT_EQ(win32.saver.saved_cursor_pos.x, 203) << "the reference moves with a closing move";
    EXPECT_EQ(win32.saver.saved_cursor_pos.y, 202);
    DestroyWindow(window);
    take_quit_message();
    UnregisterClassA(kSaverClassName, win32.module_instance);

    reset_saver_globals();
    HWND preview_parent = create_parent_window(160, 120);
    ASSERT_NE(open_preview(preview_parent), nullptr);
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    SetCursorPos(400, 400);
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(count_close_requests(window), 0) << "nothing closes a preview";
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(SaverWindowRules, AClosedFullScreenSaverIsDestroyedAndQuitsWithZero) {
    ASSERT_NE(open_full_screen(), nullptr);
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

TEST_F(SaverWindowRules, TitleNeverChanges) {
    ASSERT_NE(open_full_screen(), nullptr);
    StageThreeSpy spy;
    install_stage_three_spy(spy);
    EXPECT_EQ(SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Other")), 0);
    SetWindowTextA(window, "Other");
    EXPECT_EQ(window_title(window), "Screen Saver");
    EXPECT_FALSE(spy.saw(WM_SETTEXT));
}

TEST_F(SaverWindowRules, SystemCommandsThatWouldLeaveAreSwallowedOnlyInFullScreen) {
    const WPARAM swallowed[] = {SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE};
    ASSERT_NE(open_full_screen(), nullptr);
    StageThreeSpy spy;
    install_stage_three_spy(spy);
    for (WPARAM command : swallowed) {
        EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, command, 0), 0);
    }
    EXPECT_FALSE(spy.saw(WM_SYSCOMMAND));
    spy.forward = false; // the default processing would act on these
    SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE + 1, 0); // not exactly the command
    EXPECT_TRUE(spy.saw(WM_SYSCOMMAND));
    DestroyWindow(window);
    take_quit_message();
    UnregisterClassA(kSaverClassName, win32.module_instance);

    reset_saver_globals();
    ASSERT_NE(open_preview(create_parent_window(160, 120)), nullptr);
    StageThreeSpy preview_spy;
    install_stage_three_spy(preview_spy);
    preview_spy.forward = false;
    for (WPARAM command : swallowed)
        SendMessageA(window, WM_SYSCOMMAND, command, 0);
    EXPECT_EQ(preview_spy.messages,
              (std::vector<UINT>{WM_SYSCOMMAND, WM_SYSCOMMAND, WM_SYSCOMMAND}));
}

TEST_F(SaverWindowRules, HelpAndContextMenuGoToThePreviewsParent) {
    ASSERT_NE(open_preview(create_parent_window(160, 120)), nullptr);
    StageThreeSpy spy;
    install_stage_three_spy(spy);
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

    // Without a parent to pass them to, they are still answered.
    SetParent(window, nullptr);
    spy.messages.clear();
    EXPECT_EQ(SendMessageA(window, WM_CONTEXTMENU, 0, 0), 1);
    EXPECT_TRUE(spy.messages.empty());
}

TEST_F(SaverWindowRules, HelpAndContextMenuAreHandedOnInFullScreen) {
    ASSERT_NE(open_full_screen(), nullptr);
    StageThreeSpy spy;
    install_stage_three_spy(spy);
    SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), 0);
    EXPECT_TRUE(spy.saw(WM_CONTEXTMENU));
}

TEST_F(SaverWindowRules, CursorStaysHiddenInFullScreen) {
    ASSERT_NE(open_full_screen(), nullptr);
    StageThreeSpy spy;
    install_stage_three_spy(spy);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT), 1);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(spy.results.back(), 1) << "the result is the third stage's";
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SendMessageA(window, WM_PAINT, 0, 0);
    EXPECT_EQ(GetCursor(), nullptr);
}

TEST_F(SaverWindowRules, AfterApprovalNoFramesAndOnlyDefaultProcessing) {
    ASSERT_NE(open_full_screen(), nullptr);
    KillTimer(window, 1);
    StageThreeSpy spy;
    install_stage_three_spy(spy);
    recording_app().events.clear();
    SendMessageA(window, WM_TIMER, 1, 0);
    EXPECT_EQ(event_names(), (std::vector<std::string>{"on_frame", "after_swap"}));

    win32.saver.close_approved = 1;
    spy.messages.clear();
    recording_app().events.clear();
    EXPECT_EQ(SendMessageA(window, WM_TIMER, 1, 0), 0);
    for (UINT message :
         {UINT{WM_PAINT}, UINT{WM_KEYDOWN}, UINT{WM_MOUSEMOVE}, UINT{WM_LBUTTONDOWN}}) {
        SendMessageA(window, message, 0, 0);
    }
    EXPECT_TRUE(recording_app().events.empty()) << "no frame is drawn";
    EXPECT_TRUE(spy.messages.empty()) << "nothing is handed on";
    EXPECT_EQ(count_close_requests(window), 0);
}

TEST_F(SaverWindowRules, OnlyOneFullScreenSaverRuns) {
    // Another saver's window, as a second start would find it.
    WNDCLASSA other_class{};
    other_class.lpfnWndProc = DefWindowProcA;
    other_class.hInstance = win32.module_instance;
    other_class.lpszClassName = kSaverClassName;
    ASSERT_TRUE(RegisterClassA(&other_class));
    HWND other = CreateWindowExA(0, kSaverClassName, "Screen Saver", WS_POPUP, 0, 0, 10, 10,
                                 nullptr, nullptr, win32.module_instance, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(open_saver_window(nullptr), SaverOpen::AnotherInstance);
    EXPECT_EQ(win32.saver.saver_window, nullptr);
    EXPECT_TRUE(recording_app().events.empty()) << "no window was created";
    EXPECT_EQ(run_saver(nullptr), 0) << "and the run ends at once with 0";
    DestroyWindow(other);
}

} // namespace
} // namespace zintu::test
