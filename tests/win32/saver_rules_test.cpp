// The saver window's first stage on Windows: the full-screen form's window
// and cursor, the pointer read from the screen, and the messages the window
// answers itself in each form and once a close is approved. Which input
// closes is decided and tested natively; the size and the drawing are the
// end-to-end test's.
#include "app/host_callbacks.h"
#include "host/win32_host.h"
#include "saver_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace zintu::test {
namespace {

// The chain's last stage: records what reaches it and answers 0 instead of
// the default processing, which would act on the messages.
std::vector<UINT> handed_on;
LRESULT CALLBACK last_stage(HWND, UINT message, WPARAM, LPARAM) {
    handed_on.push_back(message);
    return 0;
}

class SaverWindowRules : public SaverWindowTest {};

TEST_F(SaverWindowRules, FullScreenFormHidesTheCursorAndReadsThePointerFromTheScreen) {
    SetCursorPos(200, 200);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    ASSERT_NE(open_full_screen(), nullptr);
    EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", "Screen Saver"), window);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF0000u, 0x96000000u);
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), 0x2B);
    EXPECT_EQ(GetCursor(), nullptr) << "hidden at creation";
    for (UINT message : {WM_SETCURSOR, WM_PAINT}) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        SendMessageA(window, message, reinterpret_cast<WPARAM>(window), HTCLIENT);
        EXPECT_EQ(GetCursor(), nullptr) << "hidden again on " << message;
    }
    SetWindowTextA(window, "Other");
    char title[32] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ(title, "Screen Saver") << "the title never changes";
    // 3 right and 2 down from where the pointer was at creation; the
    // message's own coordinates are not used.
    SetCursorPos(203, 202);
    SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(count_close_requests(window), 1);
}

// What the first stage answers itself and what it hands on to the rest of the
// chain, by form and state.
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
        {"screen saver", FullScreen, WM_SYSCOMMAND, SC_SCREENSAVE, 0, false},
        {"another command", FullScreen, WM_SYSCOMMAND, SC_SCREENSAVE + 1, 0, true},
        {"context menu", FullScreen, WM_CONTEXTMENU, 0, 0, true},
        {"preview: screen saver", Preview, WM_SYSCOMMAND, SC_SCREENSAVE, 0, true},
        {"preview: context menu, to the parent", Preview, WM_CONTEXTMENU, 0, 1, false},
        {"approved: frame tick", Approved, WM_TIMER, kFrameTimerId, 0, false},
        {"approved: key", Approved, WM_KEYDOWN, VK_SPACE, 0, false},
    };
    for (const Case& c : cases) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        ASSERT_NE(c.form == Preview ? open_preview(create_parent_window(160, 120))
                                    : open_full_screen(),
                  nullptr);
        EXPECT_EQ(GetCursor() != nullptr, c.form == Preview) << "only a preview shows the cursor";
        KillTimer(window, kFrameTimerId);
        win32.saver.close_approved = c.form == Approved;
        handed_on.clear();
        win32.host.next_stage = last_stage;
        host_events().clear();
        EXPECT_EQ(SendMessageA(window, c.message, c.wparam, 0x00280014), c.answer) << c.what;
        EXPECT_EQ(handed_on == std::vector<UINT>{c.message}, c.handed_on) << c.what;
        EXPECT_TRUE(host_events().empty()) << c.what << ": no frame";
        EXPECT_EQ(count_close_requests(window), 0) << c.what;
        MSG posted{};
        if (c.form == Preview && c.message == WM_CONTEXTMENU) {
            ASSERT_TRUE(PeekMessageA(&posted, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
            EXPECT_EQ(posted.wParam, reinterpret_cast<WPARAM>(parent)) << "the parent's handle";
            EXPECT_EQ(posted.lParam, 0x00280014);
        }
        close_and_reset();
    }
}

} // namespace
} // namespace zintu::test
