// The saver's start and end where only Windows shows them: a preview refused
// for the desktop, the exception guard, the password verifier module and the
// monitors the full-screen window names.
#include "host/win32_guard.h"
#include "host/win32_modes.h"
#include "host/win32_monitors.h"
#include "host/win32_saver_window.h"
#include "saver_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace zintu::test {
namespace {

TEST(SaverModes, APreviewInTheDesktopIsRefused) {
    reset_saver_globals();
    // The desktop window exists, but a preview in it would cover the screen
    // with a window that nothing closes; its handle also wraps from 64 bits.
    const uint64_t desktop = reinterpret_cast<uintptr_t>(GetDesktopWindow());
    for (uint64_t handle : {desktop, desktop + (uint64_t{1} << 32)})
        EXPECT_EQ(run_saver_mode(("/p " + std::to_string(handle)).c_str()), -1) << handle;
    // Handles are widened as 64-bit Windows widens those of 32-bit code.
    EXPECT_EQ(reinterpret_cast<intptr_t>(window_from_handle(0xFFFFFFFEul)), -2);
}

int faults(const char*) {
    volatile int* nowhere = nullptr;
    return *nowhere;
}
// The saver throws nothing itself; the library could, and an exception that
// leaves a function that may not throw ends the program.
char first_character(const std::string& text) noexcept {
    return text.at(0);
}
int throws(const char*) {
    return first_character(std::string());
}

TEST(ExceptionGuard, ReturnsTheBodysResultOrEndsWithTheGuardsCode) {
    const LPTOP_LEVEL_EXCEPTION_FILTER before = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(before);
    EXPECT_EQ(run_guarded([](const char*) { return 42; }, ""), 42);
    EXPECT_EQ(SetUnhandledExceptionFilter(before), before) << "the filter is restored";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(run_guarded(faults, ""), ::testing::ExitedWithCode(kExitFault), "");
    EXPECT_EXIT(run_guarded(throws, ""), ::testing::ExitedWithCode(kExitFault), "");
}

bool saver_running() {
    BOOL on = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &on, 0);
    return on != FALSE;
}

// A module named PASSWORD.CPL sits beside this program; its verifier answers
// 7, which approves the close.
TEST(Windows95, TheFullScreenSaverClosesThroughTheVerifierModule) {
    reset_saver_globals();
    win32.windows95_family = 1;
    constexpr char kDesktop[] = "Control Panel\\Desktop";
    const DWORD use_password = 1;
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword", REG_DWORD, &use_password,
                    sizeof(use_password));
    SetCursorPos(100, 100);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    ASSERT_EQ(open_saver_window(nullptr), SaverOpen::Created);
    const HWND window = win32.saver.saver_window;
    // The full-screen form: on top, the cursor hidden, its place kept for the move rule.
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(win32.saver.saved_cursor_pos.x, 100);
    // ... covering the virtual screen, whose monitors it names for the layout.
    const MonitorSet screens = win32_monitors();
    EXPECT_EQ(screens.window.right - screens.window.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(screens.monitors.size(), static_cast<std::size_t>(GetSystemMetrics(SM_CMONITORS)));
    EXPECT_NE(win32.saver.password_module, nullptr);
    EXPECT_TRUE(saver_running()) << "marked as running while it is loaded";
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(win32.saver.close_approved, 7);
    EXPECT_FALSE(IsWindow(window));
    release_password_verifier();
    EXPECT_FALSE(saver_running());
    for (MSG message{}; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
    }
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword");
    UnregisterClassW(kSaverClassName, win32.module_instance);
    reset_saver_globals();
}

} // namespace
} // namespace zintu::test
