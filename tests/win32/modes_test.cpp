// The saver's modes as the command line starts them: the desktop, which a
// preview must not fill (the switches themselves are parsed natively), the
// password change, the dialog's owner, and the exception guard. The
// full-screen and preview runs, a window that is gone and a switch that names
// no mode are the end-to-end test's.
#include "host/win32_guard.h"
#include "host/win32_modes.h"
#include "host/win32_settings.h"
#include "saver_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

namespace zintu::test {
namespace {

std::string handle_text(HWND window) {
    return std::to_string(static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
}

class SaverModes : public SaverWindowTest {};

TEST_F(SaverModes, RejectedCommandLinesEndWithMinusOne) {
    // The desktop window exists, but a preview in it would be a full-screen
    // window that nothing closes; its handle also wraps from 64 bits.
    const uint64_t desktop = reinterpret_cast<uintptr_t>(GetDesktopWindow());
    const std::string arguments[] = {
        "/p " + std::to_string(desktop), "/p " + std::to_string(desktop + (uint64_t{1} << 32)),
        "/a", // off the Windows 95 family
    };
    for (const std::string& text : arguments) {
        EXPECT_EQ(run_saver_mode(text.c_str()), -1) << text;
    }
    EXPECT_TRUE(host_events().empty()) << "no window was made";

    win32.windows95_family = 1;
    EXPECT_EQ(run_saver_mode("/a"), 0) << "the password change on the family";
    // Handles are widened as 64-bit Windows widens those of 32-bit code.
    EXPECT_EQ(reinterpret_cast<intptr_t>(window_from_handle(0xFFFFFFFEul)), -2);
}

TEST_F(SaverModes, ConfigureOwnerIsTheNamedWindowOrTheForegroundWindow) {
    set_settings_location(
        {scratch_folder() + "\\owner\\zintu.ini", scratch_folder() + "\\none.ini"});
    parent = create_parent_window(100, 100);
    SetForegroundWindow(parent);
    HWND other = create_parent_window(80, 80);
    struct Case {
        std::string arguments;
        HWND owner;
    } cases[] = {
        {"/c:" + handle_text(other), other},
        {"/c " + handle_text(other), GetForegroundWindow()},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        HWND owner = reinterpret_cast<HWND>(-1);
        TimerScript script({[&] {
            HWND dialog = FindWindowA("#32770", "Zintu Screensaver Settings");
            if (dialog == nullptr) return false;
            owner = GetWindow(dialog, GW_OWNER);
            SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            return true;
        }});
        EXPECT_EQ(run_saver_mode(c.arguments.c_str()), 1) << c.arguments;
        EXPECT_EQ(owner, c.owner) << c.arguments;
    }
    DestroyWindow(other);
}

int returns_forty_two(const char*) {
    return 42;
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
    EXPECT_EQ(run_guarded(returns_forty_two, ""), 42);
    EXPECT_EQ(SetUnhandledExceptionFilter(before), before) << "the filter is restored";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(run_guarded(faults, ""), ::testing::ExitedWithCode(kExitFault), "");
    EXPECT_EXIT(run_guarded(throws, ""), ::testing::ExitedWithCode(kExitFault), "");
}

} // namespace
} // namespace zintu::test
