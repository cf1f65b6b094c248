// Shared pieces of the Windows tests, and the test program's entry.
#include "saver_test_support.h"

#include "app/host_callbacks.h"
#include "host/win32_host.h"

namespace zintu::test {

namespace {

std::vector<HostEvent> events;
TimerScript* active_script = nullptr;

bool frame_timer_live() {
    // Killing a timer that exists succeeds; restart it at once so the probe
    // changes nothing the host can see.
    const HWND window = win32.host.host_window;
    if (window == nullptr || !KillTimer(window, kFrameTimerId)) return false;
    SetTimer(window, kFrameTimerId, kFrameTimerMillis, nullptr);
    return true;
}

void record(const char* name, int32_t width = 0, int32_t height = 0, uint32_t timer_id = 0) {
    events.push_back({name, wglGetCurrentContext() != nullptr, frame_timer_live(), width, height,
                      timer_id, win32.host.host_window});
}

void register_recording_app() {
    record("register");
    host_callbacks.before_context = [] { record("before_context"); };
    host_callbacks.on_init = [](int32_t width, int32_t height) {
        record("on_init", width, height);
    };
    host_callbacks.on_frame = [] { record("on_frame"); };
    host_callbacks.after_swap = [] { record("after_swap"); };
    host_callbacks.on_other_timer = [](uint32_t id) { record("on_other_timer", 0, 0, id); };
    host_callbacks.on_destroy = [] { record("on_destroy"); };
}

} // namespace

std::vector<HostEvent>& host_events() {
    return events;
}

std::vector<std::string> event_names() {
    std::vector<std::string> names;
    for (const HostEvent& e : events)
        names.push_back(e.name);
    return names;
}

void reset_saver_globals() {
    win32.saver = SaverState{};
    win32.windows95_family = 0;
    win32.host = HostState{};
    win32.host.register_callbacks = register_recording_app;
    host_callbacks = HostCallbacks{};
    events.clear();
}

int count_close_requests(HWND window) {
    int count = 0;
    for (MSG message{}; PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE);)
        ++count;
    return count;
}

void pump_messages(DWORD millis) {
    const DWORD start = GetTickCount();
    for (MSG message{}; GetTickCount() - start < millis;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

HWND create_parent_window(int client_width, int client_height) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "ZintuTestParent";
    RegisterClassA(&window_class); // fails harmlessly when already registered
    RECT rect{0, 0, client_width, client_height};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    AdjustWindowRect(&rect, style, FALSE);
    return CreateWindowExA(0, "ZintuTestParent", "Zintu test parent", style, 40, 40,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

const std::string& scratch_folder() {
    static const std::string folder = [] {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof(temp), temp);
        // Wine reuses process ids, so the start time makes the name unique.
        std::string path = std::string(temp) + "zintu-tests-" +
                           std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount64());
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }();
    return folder;
}

HWND SaverWindowTest::open(HWND parent_window) {
    EXPECT_EQ(open_saver_window(parent_window), SaverOpen::Created);
    return window = win32.saver.saver_window;
}

void SaverWindowTest::close_and_reset() {
    if (window && IsWindow(window)) DestroyWindow(window);
    if (parent && IsWindow(parent)) DestroyWindow(parent);
    // Whatever is still queued for the gone windows, and the quit message.
    for (MSG message{}; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
    }
    UnregisterClassA(kSaverClassName, win32.module_instance);
    reset_saver_globals();
}

TimerScript::TimerScript(std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {
    active_script = this;
    timer_ = SetTimer(nullptr, 0, 40, tick);
}

TimerScript::~TimerScript() {
    KillTimer(nullptr, timer_);
    if (active_script == this) active_script = nullptr;
}

void CALLBACK TimerScript::tick(HWND, UINT, UINT_PTR, DWORD) {
    TimerScript* script = active_script;
    // A step that opens a modal loop of its own must not be re-entered.
    if (script == nullptr || script->in_step_ || script->finished()) return;
    script->in_step_ = true;
    const bool done = script->steps_[script->next_]();
    script->in_step_ = false;
    if (done) {
        ++script->next_;
        script->ticks_on_step_ = 0;
    } else if (++script->ticks_on_step_ >= 150) {
        ADD_FAILURE() << "timer script step " << script->next_ << " never completed";
        script->next_ = script->steps_.size();
        PostQuitMessage(99);
    }
}

} // namespace zintu::test

// The saver's module is this program, whose resources hold the same dialog
// template and string table as zintu.scr.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    zintu::win32.module_instance = GetModuleHandleA(nullptr);
    // Wine loads its display driver with the first window; cursor moves made
    // before that would not reach the display.
    DestroyWindow(
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    return RUN_ALL_TESTS();
}
