// Shared pieces of the Windows tests: an application behind the host's
// callback table that records every call, and clean saver globals.
#pragma once

#include "host/win32_state.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zintu::test {

// One call of the host into the application, with what was so at that moment.
struct HostEvent {
    std::string name;      // "register", "before_context", "on_init", "on_frame", ...
    bool context_current;  // a GL context was current
    bool frame_timer_live; // the frame timer existed
    int32_t width = 0;     // on_init's arguments
    int32_t height = 0;
    HWND host_window = nullptr;
};
std::vector<HostEvent>& host_events();

// Saver state, host state and callback table back to their start; the host
// is handed the recording application.
void reset_saver_globals();

} // namespace zintu::test
