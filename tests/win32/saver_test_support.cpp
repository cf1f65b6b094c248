// Shared pieces of the Windows tests, and the test program's entry.
#include "saver_test_support.h"

#include "app/host_callbacks.h"
#include "host/win32_host.h"

#include <gtest/gtest.h>

namespace zintu::test {

namespace {

std::vector<HostEvent> events;

bool frame_timer_live() {
    // Killing a timer that exists succeeds; restart it at once so the probe
    // changes nothing the host can see.
    const HWND window = win32.host.host_window;
    if (window == nullptr || !KillTimer(window, kFrameTimerId)) return false;
    SetTimer(window, kFrameTimerId, kFrameTimerMillis, nullptr);
    return true;
}

void record(const char* name, int32_t width = 0, int32_t height = 0) {
    events.push_back({name, wglGetCurrentContext() != nullptr, frame_timer_live(), width, height,
                      win32.host.host_window});
}

void register_recording_app() {
    record("register");
    host_callbacks.before_context = [] { record("before_context"); };
    host_callbacks.on_init = [](int32_t width, int32_t height) {
        record("on_init", width, height);
    };
    host_callbacks.on_frame = [] { record("on_frame"); };
    host_callbacks.after_swap = [] { record("after_swap"); };
    host_callbacks.on_other_timer = [](uint32_t) { record("on_other_timer"); };
    host_callbacks.on_destroy = [] { record("on_destroy"); };
}

} // namespace

std::vector<HostEvent>& host_events() {
    return events;
}

void reset_saver_globals() {
    win32.saver = SaverState{};
    win32.windows95_family = 0;
    win32.host = HostState{};
    win32.host.register_callbacks = register_recording_app;
    host_callbacks = HostCallbacks{};
    events.clear();
}

} // namespace zintu::test

// The saver's module is this program, which carries zintu.scr's resources.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    zintu::win32.module_instance = GetModuleHandleA(nullptr);
    return RUN_ALL_TESTS();
}
