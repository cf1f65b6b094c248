// The GL host inside a window's message chain: its work on creation, timer
// ticks and destruction around the application's callbacks.
#include "app/host_callbacks.h"
#include "host/win32_host.h"
#include "saver_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zintu::test {
namespace {

constexpr char kHostTestClass[] = "ZintuHostTest";
constexpr int kWidth = 320;
constexpr int kHeight = 240;
using Names = std::vector<std::string>;

Names event_names() {
    Names names;
    for (const HostEvent& e : host_events())
        names.push_back(e.name);
    return names;
}

void pump_messages(DWORD millis) {
    const DWORD start = GetTickCount();
    for (MSG message{}; GetTickCount() - start < millis;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The stage after the host: records each message into the application's
// event list (so the order against the callbacks shows) and answers with a
// value of its own.
LRESULT CALLBACK next_stage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const char* name = message == WM_CREATE    ? "next:create"
                       : message == WM_DESTROY ? "next:destroy"
                       : message == WM_TIMER   ? "next:timer"
                                               : nullptr;
    if (name) host_events().push_back({name, wglGetCurrentContext() != nullptr, false});
    if (message == WM_TIMER || message == WM_USER + 5) return 0x5A5A0000 + message;
    return DefWindowProcA(window, message, wparam, lparam);
}

TEST(HostMessageChain, CreationTicksAndDestructionInOrder) {
    reset_saver_globals();
    win32.host.next_stage = next_stage;
    WNDCLASSA window_class{};
    window_class.style = CS_OWNDC;
    window_class.lpfnWndProc = host_message_handler;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = kHostTestClass;
    RegisterClassA(&window_class);
    const HWND window =
        CreateWindowExA(0, kHostTestClass, "host", WS_POPUP | WS_VISIBLE, 10, 10, kWidth, kHeight,
                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    std::vector<HostEvent> events = host_events();
    ASSERT_EQ(event_names(), (Names{"register", "before_context", "on_init", "next:create"}));
    EXPECT_EQ(events[0].host_window, window) << "the window is stored before anything else";
    EXPECT_FALSE(events[1].context_current) << "before_context runs before the context exists";
    EXPECT_TRUE(events[2].context_current) << "on_init runs with the context current";
    EXPECT_FALSE(events[2].frame_timer_live) << "the frame timer starts after on_init";
    EXPECT_EQ(events[2].width, kWidth);
    EXPECT_EQ(events[2].height, kHeight);

    // The 10 ms frame timer drives frames on its own.
    host_events().clear();
    for (int i = 0; i < 100 && host_events().size() < 3; ++i)
        pump_messages(10);
    Names ticks = event_names();
    ASSERT_GE(ticks.size(), 3u);
    ticks.resize(3);
    EXPECT_EQ(ticks, (Names{"on_frame", "after_swap", "next:timer"}));

    // The display going off stops the frames; coming on starts them at once.
    const auto display = [window](DWORD state) {
        POWERBROADCAST_SETTING setting{};
        setting.PowerSetting = {
            0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
        setting.DataLength = sizeof state;
        CopyMemory(setting.Data, &state, sizeof state);
        SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                     reinterpret_cast<LPARAM>(&setting));
        host_events().clear();
        pump_messages(150);
        const Names names = event_names();
        return std::count(names.begin(), names.end(), "on_frame");
    };
    EXPECT_EQ(display(0), 0) << "no frame while the display is off";
    EXPECT_GE(display(1), 3) << "frames again once it is on";

    // Another timer reaches on_other_timer only; every result is the next stage's.
    KillTimer(window, kFrameTimerId);
    host_events().clear();
    EXPECT_EQ(SendMessageA(window, WM_TIMER, 7, 0), 0x5A5A0000 + WM_TIMER);
    EXPECT_EQ(event_names(), (Names{"on_other_timer", "next:timer"}));
    EXPECT_EQ(SendMessageA(window, WM_USER + 5, 1, 2), 0x5A5A0000 + WM_USER + 5);

    host_events().clear();
    DestroyWindow(window);
    events = host_events();
    ASSERT_EQ(event_names(), (Names{"on_destroy", "next:destroy"}));
    EXPECT_FALSE(events[0].frame_timer_live) << "the frame timer is killed first";
    EXPECT_TRUE(events[0].context_current) << "on_destroy runs while the context is current";
    EXPECT_FALSE(events[1].context_current) << "the context is released before handing on";
    EXPECT_EQ(win32.host.host_glrc, nullptr);
    UnregisterClassA(kHostTestClass, GetModuleHandleA(nullptr));
    reset_saver_globals();
}

} // namespace
} // namespace zintu::test
