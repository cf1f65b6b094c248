// The saver's modes as the command line starts them: exit codes, the preview
// inside its parent, the full-screen run, the dialog's owner, and the
// exception guard.
#include "host/win32_guard.h"
#include "host/win32_modes.h"
#include "host/win32_settings.h"
#include "recording_app.h"
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
    HWND existing = create_parent_window(50, 50);
    HWND gone = create_parent_window(50, 50);
    const std::string gone_handle = handle_text(gone);
    DestroyWindow(gone);
    // The desktop window exists, but a preview in it would be a full-screen
    // window that nothing closes; its handle also wraps from 64 bits.
    const uint64_t desktop = reinterpret_cast<uintptr_t>(GetDesktopWindow());
    const std::string arguments[] = {
        "/p " + std::to_string(desktop),
        "/p " + std::to_string(desktop + (uint64_t{1} << 32)),
        "/p",
        "/p 0",
        "/p:" + handle_text(existing),
        "/l",
        "/p " + gone_handle,
        "/p x" + handle_text(existing),
        "/x",
        "/\ts",
        "/1",
        "/a",
        "/A " + handle_text(existing),
    };
    for (const std::string& text : arguments) {
        EXPECT_EQ(run_saver_mode(text.c_str()), -1) << text;
        EXPECT_EQ(win32.saver.saver_window, nullptr) << text;
    }
    EXPECT_TRUE(recording_app().events.empty()) << "no window was made";
    EXPECT_EQ(FindWindowA("WindowsScreenSaverClass", nullptr), nullptr);
    DestroyWindow(existing);
}

TEST_F(SaverModes, PasswordChangeOnTheWindows95FamilyEndsWithZero) {
    win32.windows95_family = 1;
    EXPECT_EQ(run_saver_mode("/a"), 0);
    EXPECT_EQ(change_password("0"), 0);
}

TEST_F(SaverModes, HandlesAreWidenedAsWindowsWidensThem) {
    EXPECT_EQ(window_from_handle(0), nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(window_from_handle(0x1234)), 0x1234u);
    EXPECT_EQ(reinterpret_cast<intptr_t>(window_from_handle(0xFFFFFFFEul)), -2);
}

TEST_F(SaverModes, PreviewRunsInsideItsParentUntilTheParentGoes) {
    parent = create_parent_window(240, 180);
    const std::string arguments = "/p " + handle_text(parent);
    HWND preview = nullptr;
    TimerScript script({
        [&] {
            preview = FindWindowExA(parent, nullptr, "WindowsScreenSaverClass", "Preview");
            return preview != nullptr;
        },
        [&] {
            RECT rect{};
            GetClientRect(preview, &rect);
            EXPECT_EQ(rect.right, 240);
            EXPECT_EQ(rect.bottom, 180);
            SendMessageA(preview, WM_KEYDOWN, VK_SPACE, 0);
            SendMessageA(preview, WM_LBUTTONDOWN, 0, 0);
            return true;
        },
        [&] {
            EXPECT_TRUE(IsWindow(preview)) << "keys do not close the preview";
            return recording_app().events.size() > 6; // some frames drawn
        },
        [&] {
            DestroyWindow(parent);
            return true;
        },
    });
    EXPECT_EQ(run_saver_mode(arguments.c_str()), 0);
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(IsWindow(preview));
}

TEST_F(SaverModes, FullScreenRunsUntilAKeyAndEndsWithZero) {
    HWND saver = nullptr;
    TimerScript script({
        [&] { return (saver = FindWindowA("WindowsScreenSaverClass", "Screen Saver")) != nullptr; },
        [&] { return recording_app().events.size() > 6; },
        [&] {
            PostMessageA(saver, WM_KEYDOWN, VK_SPACE, 0);
            return true;
        },
    });
    EXPECT_EQ(run_saver_mode("-S"), 0);
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(IsWindow(saver));
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
        {"/c:x", GetForegroundWindow()},
        {"/c:0", GetForegroundWindow()},
        {"", nullptr},
        {" - / ", nullptr},
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

TEST(ExceptionGuard, ReturnsTheBodysResultAndRestoresTheFilter) {
    const LPTOP_LEVEL_EXCEPTION_FILTER before = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(before);
    EXPECT_EQ(run_guarded(returns_forty_two, ""), 42);
    EXPECT_EQ(SetUnhandledExceptionFilter(before), before);
}

TEST(ExceptionGuard, AFaultEndsTheProcessWithTheGuardsCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(run_guarded(faults, ""), ::testing::ExitedWithCode(kExitFault), "");
    EXPECT_EXIT(run_guarded(throws, ""), ::testing::ExitedWithCode(kExitFault), "");
}

} // namespace
} // namespace zintu::test
