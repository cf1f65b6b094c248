// The saver's modes as the command line starts them: the desktop, which a
// preview must not fill (the switches themselves are parsed natively), the
// password change, and the exception guard. The full-screen and preview runs,
// a window that is gone and a switch that names no mode are the end-to-end
// test's; the dialog's owner is the dialog test's.
#include "host/win32_guard.h"
#include "host/win32_modes.h"
#include "saver_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

namespace zintu::test {
namespace {

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
