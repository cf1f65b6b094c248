// The GL host inside a window's message chain: its own work on creation,
// destruction and timer ticks, the order of the application's callbacks, and
// every result coming from the stage after it.
#include "app/host_callbacks.h"
#include "host/wgl_font.h"
#include "host/win32_host.h"
#include "recording_app.h"
#include "render/font.h"
#include "saver_test_support.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace zintu::test {
namespace {

constexpr char kHostTestClass[] = "ZintuHostTest";
constexpr int kWidth = 320;
constexpr int kHeight = 240;

// The stage after the host: records each message into the application's
// event list (so the order against the callbacks shows) and answers with a
// value of its own.
LRESULT create_answer = 0;
LRESULT CALLBACK next_stage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const char* name = message == WM_CREATE    ? "next:create"
                       : message == WM_DESTROY ? "next:destroy"
                       : message == WM_TIMER   ? "next:timer"
                                               : nullptr;
    if (name) recording_app().events.push_back({name, wglGetCurrentContext() != nullptr, false});
    if (message == WM_CREATE) return create_answer;
    if (message == WM_TIMER || message == WM_USER + 5) return 0x5A5A0000 + message;
    return DefWindowProcA(window, message, wparam, lparam);
}

class HostMessageChain : public ::testing::Test {
protected:
    void SetUp() override {
        reset_saver_globals();
        create_answer = 0;
        win32.host.next_stage = next_stage;
        WNDCLASSA window_class{};
        window_class.style = CS_OWNDC;
        window_class.lpfnWndProc = host_message_handler;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = kHostTestClass;
        RegisterClassA(&window_class);
    }
    void TearDown() override {
        if (window && IsWindow(window)) DestroyWindow(window);
        UnregisterClassA(kHostTestClass, GetModuleHandleA(nullptr));
        reset_saver_globals();
    }
    HWND create() {
        window = CreateWindowExA(0, kHostTestClass, "host", WS_POPUP | WS_VISIBLE, 10, 10, kWidth,
                                 kHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        return window;
    }
    std::vector<std::string> names_after_create() {
        std::vector<std::string> names = event_names();
        recording_app().events.clear();
        return names;
    }
    HWND window = nullptr;
};

TEST_F(HostMessageChain, CreationRegistersThenMakesTheContextThenInitialises) {
    ASSERT_NE(create(), nullptr);
    const std::vector<HostEvent> events = recording_app().events;
    ASSERT_EQ(event_names(),
              (std::vector<std::string>{"register", "before_context", "on_init", "next:create"}));
    EXPECT_EQ(events[0].host_window, window) << "the window is stored before anything else";
    EXPECT_FALSE(events[0].context_current);
    EXPECT_FALSE(events[1].context_current) << "before_context runs before the context exists";
    EXPECT_TRUE(events[2].context_current) << "on_init runs with the context current";
    EXPECT_FALSE(events[2].frame_timer_live) << "the frame timer starts after on_init";
    EXPECT_EQ(events[2].width, kWidth);
    EXPECT_EQ(events[2].height, kHeight);
    EXPECT_EQ(win32.host.client_width, kWidth);
    EXPECT_EQ(win32.host.client_height, kHeight);
    EXPECT_NE(win32.host.host_dc, nullptr);
    EXPECT_NE(win32.host.host_glrc, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), win32.host.host_glrc);

    PIXELFORMATDESCRIPTOR chosen{};
    DescribePixelFormat(win32.host.host_dc, GetPixelFormat(win32.host.host_dc), sizeof(chosen),
                        &chosen);
    EXPECT_TRUE(chosen.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_TRUE(chosen.dwFlags & PFD_SUPPORT_OPENGL);
    EXPECT_GE(chosen.cDepthBits, 16);

    // The 10 ms frame timer now drives frames on its own.
    recording_app().events.clear();
    for (int i = 0; i < 100 && recording_app().events.size() < 3; ++i)
        pump_messages(10);
    const std::vector<std::string> names = event_names();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0], "on_frame");
    EXPECT_EQ(names[1], "after_swap");
    EXPECT_EQ(names[2], "next:timer");
}

TEST_F(HostMessageChain, FrameTickDrawsSwapsThenCallsAfterSwap) {
    ASSERT_NE(create(), nullptr);
    KillTimer(window, kFrameTimerId); // ticks by hand only
    names_after_create();
    const LRESULT result = SendMessageA(window, WM_TIMER, kFrameTimerId, 0);
    EXPECT_EQ(event_names(), (std::vector<std::string>{"on_frame", "after_swap", "next:timer"}));
    EXPECT_EQ(result, 0x5A5A0000 + WM_TIMER);
}

TEST_F(HostMessageChain, SwapHappensAlsoWithoutOnFrame) {
    ASSERT_NE(create(), nullptr);
    KillTimer(window, kFrameTimerId);
    // What the window shows, read back through GDI.
    auto front_pixel = [this] {
        HDC dc = GetDC(window);
        const COLORREF colour = GetPixel(dc, kWidth / 2, kHeight / 2);
        ReleaseDC(window, dc);
        return std::vector<int>{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    };
    recording_app().clear_colour[0] = 1.0f; // red through on_frame
    recording_app().clear_colour[1] = 0.0f;
    recording_app().clear_colour[2] = 0.0f;
    SendMessageA(window, WM_TIMER, kFrameTimerId, 0);
    EXPECT_EQ(front_pixel(), (std::vector<int>{255, 0, 0}));

    host_callbacks.on_frame = nullptr; // the back buffer is drawn here instead
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SendMessageA(window, WM_TIMER, kFrameTimerId, 0);
    EXPECT_EQ(front_pixel(), (std::vector<int>{0, 255, 0})) << "the tick swapped the buffers";
}

TEST_F(HostMessageChain, OtherTimersReachOnlyOnOtherTimer) {
    ASSERT_NE(create(), nullptr);
    KillTimer(window, kFrameTimerId);
    names_after_create();
    for (WPARAM id : {WPARAM{0}, WPARAM{2}, WPARAM{7}, WPARAM{0xFFFFFFFFu}}) {
        recording_app().events.clear();
        const LRESULT result = SendMessageA(window, WM_TIMER, id, 0);
        ASSERT_EQ(event_names(), (std::vector<std::string>{"on_other_timer", "next:timer"})) << id;
        EXPECT_EQ(recording_app().events[0].timer_id, static_cast<uint32_t>(id));
        EXPECT_EQ(result, 0x5A5A0000 + WM_TIMER);
    }
    // With the slot empty the tick goes straight on.
    host_callbacks.on_other_timer = nullptr;
    recording_app().events.clear();
    SendMessageA(window, WM_TIMER, 7, 0);
    EXPECT_EQ(event_names(), (std::vector<std::string>{"next:timer"}));
}

TEST_F(HostMessageChain, DestructionStopsTheTimerThenOnDestroyThenReleasesTheContext) {
    ASSERT_NE(create(), nullptr);
    names_after_create();
    DestroyWindow(window);
    const std::vector<HostEvent> events = recording_app().events;
    ASSERT_EQ(event_names(), (std::vector<std::string>{"on_destroy", "next:destroy"}));
    EXPECT_FALSE(events[0].frame_timer_live) << "the frame timer is killed first";
    EXPECT_TRUE(events[0].context_current) << "on_destroy runs while the context is current";
    EXPECT_FALSE(events[1].context_current) << "the context is released before handing on";
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(win32.host.host_dc, nullptr);
    EXPECT_EQ(win32.host.host_glrc, nullptr);
}

TEST_F(HostMessageChain, EmptySlotsAreSkipped) {
    recording_app().fill_all_slots = false;
    recording_app().fill_on_frame = false;
    ASSERT_NE(create(), nullptr);
    KillTimer(window, kFrameTimerId);
    EXPECT_EQ(event_names(), (std::vector<std::string>{"register", "next:create"}));
    EXPECT_NE(win32.host.host_glrc, nullptr);
    recording_app().events.clear();
    SendMessageA(window, WM_TIMER, kFrameTimerId, 0);
    DestroyWindow(window);
    EXPECT_EQ(event_names(), (std::vector<std::string>{"next:timer", "next:destroy"}));
}

TEST_F(HostMessageChain, EveryResultIsTheNextStagesResult) {
    ASSERT_NE(create(), nullptr);
    KillTimer(window, kFrameTimerId);
    EXPECT_EQ(SendMessageA(window, WM_USER + 5, 1, 2), 0x5A5A0000 + WM_USER + 5);
    EXPECT_EQ(SendMessageA(window, WM_TIMER, kFrameTimerId, 0), 0x5A5A0000 + WM_TIMER);
    EXPECT_EQ(SendMessageA(window, WM_TIMER, 3, 0), 0x5A5A0000 + WM_TIMER);
    DestroyWindow(window);

    // The next stage refusing WM_CREATE refuses the window, although the host
    // did all its own work first.
    create_answer = -1;
    recording_app().events.clear();
    EXPECT_EQ(create(), nullptr);
    const std::vector<std::string> names = event_names();
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names[3], "next:create");
}

} // namespace
} // namespace zintu::test

namespace zintu::test {
namespace {

// The overlay font through the host's window: 96 lists, each glyph moving the
// raster position by its width, the blank's empty bitmap included.
TEST_F(HostMessageChain, FontListsAdvanceByTheGlyphWidths) {
    ASSERT_NE(create(), nullptr);
    KillTimer(window, kFrameTimerId);
    const uint32_t font_base = make_wgl_font();
    ASSERT_NE(font_base, 0u);
    EXPECT_TRUE(glIsList(font_base));
    EXPECT_TRUE(glIsList(font_base + kFontGlyphCount - 1));
    EXPECT_FALSE(glIsList(font_base + kFontGlyphCount));
    auto advance = [font_base](char c) {
        glRasterPos2f(-1.0f, 0.0f);
        GLfloat before[4] = {};
        glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
        glCallList(font_base + static_cast<uint32_t>(c - kFontFirstChar));
        GLfloat after[4] = {};
        glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
        return after[0] - before[0];
    };
    EXPECT_GT(advance('W'), advance('i'));
    EXPECT_GT(advance('i'), 0.0f);
    EXPECT_GT(advance(' '), 0.0f) << "blanks keep the overlay's words apart";
}

} // namespace
} // namespace zintu::test
