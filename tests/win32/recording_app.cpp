// The tests' application: records the host's calls; on_frame clears the back
// buffer to a known colour so a swap can be seen in the front buffer.
#include "recording_app.h"

#include "host/win32_state.h"

#include <GL/gl.h>

namespace zintu::test {
namespace {

RecordingApp app_state;

bool frame_timer_live() {
    // Killing a timer that exists succeeds; restart it at once so the probe
    // changes nothing the host can see.
    if (win32.host.host_window == nullptr) return false;
    if (!KillTimer(win32.host.host_window, kFrameTimerId)) return false;
    SetTimer(win32.host.host_window, kFrameTimerId, kFrameTimerMillis, nullptr);
    return true;
}

void record(const char* name, int32_t width = 0, int32_t height = 0, uint32_t timer_id = 0) {
    app_state.events.push_back({name, wglGetCurrentContext() != nullptr, frame_timer_live(), width,
                                height, timer_id, win32.host.host_window});
}

void on_init(int32_t width, int32_t height) {
    record("on_init", width, height);
    glViewport(0, 0, width, height);
}
void after_swap() {
    record("after_swap");
}
void on_frame() {
    record("on_frame");
    glClearColor(app_state.clear_colour[0], app_state.clear_colour[1], app_state.clear_colour[2],
                 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}
void on_destroy() {
    record("on_destroy");
}
void before_context() {
    record("before_context");
}
void on_other_timer(uint32_t id) {
    record("on_other_timer", 0, 0, id);
}

} // namespace

RecordingApp& recording_app() {
    return app_state;
}

void reset_recording_app() {
    app_state = RecordingApp{};
    host_callbacks = HostCallbacks{};
    win32.host.register_callbacks = register_recording_app;
}

std::vector<std::string> event_names() {
    std::vector<std::string> names;
    for (const HostEvent& e : app_state.events)
        names.push_back(e.name);
    return names;
}

void register_recording_app() {
    record("register");
    if (!app_state.fill_all_slots) {
        if (app_state.fill_on_frame) host_callbacks.on_frame = on_frame;
        return;
    }
    host_callbacks.on_init = on_init;
    host_callbacks.after_swap = after_swap;
    host_callbacks.on_frame = app_state.fill_on_frame ? on_frame : nullptr;
    host_callbacks.on_destroy = on_destroy;
    host_callbacks.before_context = before_context;
    host_callbacks.on_other_timer = on_other_timer;
}

} // namespace zintu::test
