// The steps every window host takes through the callback table, in order,
// around its own window and context work. The Win32, X11 and headless hosts
// all call these, so the order is written once.
#pragma once

#include <cstdint>
#include <functional>

namespace zintu {

// The application's registration: fills the callback table. Hosts are handed
// it (the saver's is register_host_callbacks; tests give their own).
using RegisterCallbacks = void (*)();

// Window created: register the application, note the client size, then
// before_context, the host's context creation, and on_init with that size.
// The host starts its frame timer afterwards.
void host_created(RegisterCallbacks register_callbacks, int32_t client_width, int32_t client_height,
                  const std::function<void()>& create_context);

// One frame timer tick: on_frame, the buffer swap (also with on_frame empty),
// after_swap. Returns the milliseconds until the next tick is due.
uint32_t host_frame(const std::function<void()>& swap_buffers);

// Any other timer: on_other_timer with its identifier.
void host_other_timer(uint32_t timer_id);

// Window going away, after the host stopped its timer: on_destroy while the
// context is current, then the host's context release.
void host_destroyed(const std::function<void()>& destroy_context);

} // namespace zintu
