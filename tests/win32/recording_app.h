// A test application behind the host callback table: records every call in
// order, with what the host's state and the GL context were at that moment.
#pragma once

#include "app/host_callbacks.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zintu::test {

struct HostEvent {
    std::string name;      // "register", "before_context", "on_init", "on_frame", ...
    bool context_current;  // a GL context was current during the call
    bool frame_timer_live; // KillTimer of the frame timer would have found it
    int32_t width = 0;     // on_init's arguments
    int32_t height = 0;
    uint32_t timer_id = 0; // on_other_timer's argument
    HWND host_window = nullptr;
};

// What register_host_callbacks puts into the table; tests choose the slots.
struct RecordingApp {
    bool fill_all_slots = true;
    bool fill_on_frame = true;
    float clear_colour[3] = {0.0f, 0.5f, 1.0f};
    std::vector<HostEvent> events;
};

RecordingApp& recording_app();

// Empties the table and the record, and hands the host this application's
// registration, which fills every slot by default.
void reset_recording_app();

// The registration the host calls: records itself and fills the table.
void register_recording_app();

// The recorded event names in order.
std::vector<std::string> event_names();

} // namespace zintu::test
