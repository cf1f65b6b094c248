// The saver window on Windows: the full-screen form, input reaching the close
// decision (which is decided and tested natively; one case here proves the
// wiring), and the messages the window answers itself in each form and once a
// close is approved. The preview's window is the end-to-end test's.
#include "app/host_callbacks.h"
#include "host/win32_host.h"
#include "saver_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace zintu::test {
namespace {

class SaverWindowRules : public SaverWindowTest {};

TEST_F(SaverWindowRules, FullScreenFormCoversTheScreenOnTop) {
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    ASSERT_NE(open_full_screen(), nullptr);
    EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", "Screen Saver"), window);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF0000u, 0x96000000u);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), 0x2B);
    EXPECT_EQ(host_events().at(2).width, GetSystemMetrics(SM_CXSCREEN)) << "on_init's size";
    EXPECT_EQ(GetCursor(), nullptr) << "the full-screen form hides the cursor";
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT), 1);
    EXPECT_EQ(GetCursor(), nullptr);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SendMessageA(window, WM_PAINT, 0, 0);
    EXPECT_EQ(GetCursor(), nullptr) << "painting hides it again";
    SetWindowTextA(window, "Other");
    EXPECT_EQ(window_title(window), "Screen Saver") << "the title never changes";
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

// What the first stage answers itself and what it hands on to the rest of the
// chain (whose last stage answers 0 here), by form and state.
TEST_F(SaverWindowRules, WhatTheWindowAnswersItself) {
    enum Form { FullScreen, Preview, Approved };
    struct Case {
        const char* what;
        Form form;
        UINT message;
        WPARAM wparam;
        LRESULT answer;
        bool handed_on;
    } cases[] = {
        {"next window", FullScreen, WM_SYSCOMMAND, SC_NEXTWINDOW, 0, false},
        {"previous window", FullScreen, WM_SYSCOMMAND, SC_PREVWINDOW, 0, false},
        {"screen saver", FullScreen, WM_SYSCOMMAND, SC_SCREENSAVE, 0, false},
        {"another command", FullScreen, WM_SYSCOMMAND, SC_SCREENSAVE + 1, 0, true},
        {"context menu", FullScreen, WM_CONTEXTMENU, 0, 0, true},
        {"preview: screen saver", Preview, WM_SYSCOMMAND, SC_SCREENSAVE, 0, true},
        {"preview: context menu", Preview, WM_CONTEXTMENU, 0, 1, false},
        {"preview: help", Preview, WM_HELP, 0, 1, false},
        {"approved: frame tick", Approved, WM_TIMER, kFrameTimerId, 0, false},
        {"approved: paint", Approved, WM_PAINT, 0, 0, false},
        {"approved: key", Approved, WM_KEYDOWN, VK_SPACE, 0, false},
        {"approved: move", Approved, WM_MOUSEMOVE, 0, 0, false},
    };
    for (const Case& c : cases) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        ASSERT_NE(c.form == Preview ? open_preview(create_parent_window(160, 120))
                                    : open_full_screen(),
                  nullptr);
        EXPECT_EQ(GetCursor() != nullptr, c.form == Preview) << "only a preview shows the cursor";
        KillTimer(window, kFrameTimerId);
        win32.saver.close_approved = c.form == Approved;
        StageThreeSpy spy;
        spy.forward = false; // the default processing would act on these
        install_stage_three_spy(spy);
        host_events().clear();
        // WM_HELP carries a pointer, which the system may refuse to post on.
        HELPINFO help{sizeof(HELPINFO), 0, 0, nullptr, 0, {0, 0}};
        const LPARAM lparam = c.message == WM_HELP ? reinterpret_cast<LPARAM>(&help) : 0x00280014;
        EXPECT_EQ(SendMessageA(window, c.message, c.wparam, lparam), c.answer) << c.what;
        EXPECT_EQ(spy.saw(c.message), c.handed_on) << c.what;
        EXPECT_TRUE(host_events().empty()) << c.what << ": no frame";
        EXPECT_EQ(count_close_requests(window), 0) << c.what;
        if (c.message == WM_CONTEXTMENU && c.form == Preview) {
            MSG posted{};
            ASSERT_TRUE(PeekMessageA(&posted, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
            EXPECT_EQ(posted.wParam, reinterpret_cast<WPARAM>(parent)) << "the parent's handle";
            EXPECT_EQ(posted.lParam, 0x00280014);
        }
        close_and_reset();
    }
}

} // namespace
} // namespace zintu::test
