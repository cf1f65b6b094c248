// Shared pieces of the Windows tests.
#include "saver_test_support.h"

#include "app/host_callbacks.h"
#include "host/win32_host.h"
#include "recording_app.h"

#include <algorithm>

namespace zintu::test {
namespace {

constexpr char kParentClass[] = "ZintuTestParent";
StageThreeSpy* active_spy = nullptr;
TimerScript* active_script = nullptr;

LRESULT CALLBACK spy_stage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const bool forward = active_spy == nullptr || active_spy->forward;
    const LRESULT result = forward ? saver_default_proc(window, message, wparam, lparam) : 0;
    if (active_spy) {
        active_spy->messages.push_back(message);
        active_spy->results.push_back(result);
    }
    return result;
}

} // namespace

void reset_saver_globals() {
    win32.saver = SaverState{};
    win32.windows95_family = 0;
    win32.host = HostState{};
    active_spy = nullptr;
    reset_recording_app();
}

bool take_close_request(HWND window) {
    MSG message{};
    return PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0;
}

int count_close_requests(HWND window) {
    int count = 0;
    while (take_close_request(window))
        ++count;
    return count;
}

bool take_quit_message(int* code) {
    MSG message{};
    if (!PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    if (code) *code = static_cast<int>(message.wParam);
    return true;
}

void pump_messages(DWORD millis) {
    const DWORD start = GetTickCount();
    MSG message{};
    while (GetTickCount() - start < millis) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
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
    window_class.lpszClassName = kParentClass;
    RegisterClassA(&window_class); // fails harmlessly when already registered
    RECT rect{0, 0, client_width, client_height};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    AdjustWindowRect(&rect, style, FALSE);
    return CreateWindowExA(0, kParentClass, "Zintu test parent", style, 40, 40,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

bool StageThreeSpy::saw(UINT message) const {
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

void install_stage_three_spy(StageThreeSpy& spy) {
    active_spy = &spy;
    win32.host.next_stage = spy_stage;
}

void SaverWindowTest::SetUp() {
    reset_saver_globals();
}

void SaverWindowTest::TearDown() {
    active_spy = nullptr;
    if (window && IsWindow(window)) DestroyWindow(window);
    if (parent && IsWindow(parent)) DestroyWindow(parent);
    // Whatever is still queued for the gone windows, and the quit message.
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    take_quit_message();
    UnregisterClassA(kSaverClassName, win32.module_instance);
    reset_saver_globals();
}

HWND SaverWindowTest::open_full_screen() {
    EXPECT_EQ(open_saver_window(nullptr), SaverOpen::Created);
    window = win32.saver.saver_window;
    return window;
}

HWND SaverWindowTest::open_preview(HWND parent_window) {
    parent = parent_window;
    EXPECT_EQ(open_saver_window(parent_window), SaverOpen::Created);
    window = win32.saver.saver_window;
    return window;
}

TimerScript::TimerScript(std::vector<Step> steps, UINT period_millis, int max_ticks)
    : steps_(std::move(steps)), max_ticks_(max_ticks) {
    active_script = this;
    timer_ = SetTimer(nullptr, 0, period_millis, tick);
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
    } else if (++script->ticks_on_step_ >= script->max_ticks_) {
        ADD_FAILURE() << "timer script step " << script->next_ << " never completed";
        script->next_ = script->steps_.size();
        PostQuitMessage(99);
    }
}

std::string window_title(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string class_name(HWND window) {
    char text[256] = {};
    GetClassNameA(window, text, sizeof(text));
    return text;
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

} // namespace zintu::test
