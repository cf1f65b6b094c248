// Shared pieces of the Windows tests: clean saver globals, a fixture that owns
// one saver window, message-queue probes, and a script of steps run from a
// thread timer while a modal loop (dialog, message box, saver loop) runs.
#pragma once

#include "host/win32_saver_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zintu::test {

// Saver state, host state, callback table and record back to their start.
void reset_saver_globals();

// Removes one posted close request for `window`; true when there was one.
bool take_close_request(HWND window);
// Removes every posted close request for `window` and returns how many.
int count_close_requests(HWND window);
// Removes the quit message if one is pending; its code goes to `code`.
bool take_quit_message(int* code = nullptr);
// Dispatches whatever arrives for `millis` milliseconds.
void pump_messages(DWORD millis);

// A plain visible top-level window, as a program that shows a preview owns.
HWND create_parent_window(int client_width, int client_height);

// Records which messages reach the third stage of the saver's chain, and
// forwards them to saver_default_proc unchanged.
struct StageThreeSpy {
    std::vector<UINT> messages;
    std::vector<LRESULT> results;
    // False: record only, answer 0 (for messages whose default processing
    // would open something, such as system commands).
    bool forward = true;
    bool saw(UINT message) const;
};
// Puts the spy between the host and saver_default_proc.
void install_stage_three_spy(StageThreeSpy& spy);

// Fixture owning one saver window of either form; tears it down, drains the
// quit message and unregisters the class after each test.
class SaverWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Opens the window; expects it to be created.
    HWND open_full_screen();
    HWND open_preview(HWND parent);

    HWND window = nullptr;
    HWND parent = nullptr;
};

// Steps run one per tick of a thread timer; a step returns false to be run
// again at the next tick (to wait for something). After `max_ticks` ticks on
// one step the script fails the test and posts a quit message to end the loop.
class TimerScript {
public:
    using Step = std::function<bool()>;
    explicit TimerScript(std::vector<Step> steps, UINT period_millis = 40, int max_ticks = 150);
    ~TimerScript();
    TimerScript(const TimerScript&) = delete;
    TimerScript& operator=(const TimerScript&) = delete;
    bool finished() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<Step> steps_;
    size_t next_ = 0;
    int ticks_on_step_ = 0;
    int max_ticks_;
    UINT_PTR timer_ = 0;
    bool in_step_ = false;
};

// Title of a window, as the user sees it.
std::string window_title(HWND window);
std::string class_name(HWND window);

// A scratch folder for this test process, created on first use.
const std::string& scratch_folder();

} // namespace zintu::test
