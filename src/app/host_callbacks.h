// The table between a GL window host and the application: six optional slots
// that every host (Win32, X11, headless EGL) calls in the same order.
//
// On window creation a host stores its window, calls register_host_callbacks,
// stores the client size, calls before_context, creates and makes current the
// GL context, calls on_init(width, height) and starts its 10 ms frame timer.
// Each frame tick: on_frame, buffer swap (also when on_frame is empty),
// after_swap; then frame_delay says when the next tick is due (the frame
// timer's period when it is empty). A timer other than the frame timer:
// on_other_timer(id). On destruction: stop the timer, on_destroy, release the
// context.
#pragma once

#include <cstdint>

namespace zintu {

struct HostCallbacks {
    void (*on_init)(int32_t width, int32_t height) = nullptr;
    void (*after_swap)() = nullptr;
    void (*on_frame)() = nullptr;
    void (*on_destroy)() = nullptr;
    void (*before_context)() = nullptr;
    void (*on_other_timer)(uint32_t timer_id) = nullptr;
    // Milliseconds from now to the next frame, at least the timer's period.
    uint32_t (*frame_delay)() = nullptr;
};

// The one table of the process; all slots empty at start.
extern HostCallbacks host_callbacks;

// Identifier and period of the frame timer.
inline constexpr uint32_t kFrameTimerId = 1;
inline constexpr uint32_t kFrameTimerMillis = 10;

} // namespace zintu
