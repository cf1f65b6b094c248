// Shared pieces of the Windows tests: an application behind the host's
// callback table that records every call, clean saver globals, a fixture that
// owns one saver window, and a script of steps run from a thread timer while
// a modal loop (a dialog) runs.
#pragma once

#include "host/win32_saver_window.h"
#include "host/win32_state.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zintu::test {

// One call of the host into the application, with what was so at that moment.
struct HostEvent {
    std::string name;      // "register", "before_context", "on_init", "on_frame", ...
    bool context_current;  // a GL context was current
    bool frame_timer_live; // the frame timer existed
    int32_t width = 0;     // on_init's arguments
    int32_t height = 0;    //
    uint32_t timer_id = 0; // on_other_timer's argument
    HWND host_window = nullptr;
};
// The record of the calls.
std::vector<HostEvent>& host_events();
std::vector<std::string> event_names();

// Saver state, host state and callback table back to their start; the host
// is handed the recording application.
void reset_saver_globals();
// Removes every posted close request for `window` and returns how many.
int count_close_requests(HWND window);
// Dispatches whatever arrives for `millis` milliseconds.
void pump_messages(DWORD millis);
// A plain visible top-level window, as a program that shows a preview owns.
HWND create_parent_window(int client_width, int client_height);
// A scratch folder for this test process, created on first use.
const std::string& scratch_folder();

// Owns one saver window of either form; tears it down, drains the queue and
// unregisters the class after each test.
class SaverWindowTest : public ::testing::Test {
protected:
    void SetUp() override { reset_saver_globals(); }
    void TearDown() override { close_and_reset(); }
    HWND open_full_screen() { return open(nullptr); }
    HWND open_preview(HWND parent_window) { return open(parent = parent_window); }
    // Destroys the window and starts again from clean globals.
    void close_and_reset();

    HWND window = nullptr;
    HWND parent = nullptr;

private:
    HWND open(HWND parent_window);
};

// Steps run one per tick of a thread timer; a step returns false to be run
// again at the next tick. After 150 ticks on one step the script fails the
// test and posts a quit message to end the loop.
class TimerScript {
public:
    explicit TimerScript(std::vector<std::function<bool()>> steps);
    ~TimerScript();
    bool finished() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    int ticks_on_step_ = 0;
    UINT_PTR timer_ = 0;
    bool in_step_ = false;
};

} // namespace zintu::test
