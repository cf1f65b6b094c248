// The host side of the callback table, shared by every host.
#include "app/host_sequence.h"

#include "app/host_callbacks.h"

namespace zintu {

void host_created(RegisterCallbacks register_callbacks, int32_t client_width, int32_t client_height,
                  const std::function<void()>& create_context) {
    if (register_callbacks) register_callbacks();
    if (host_callbacks.before_context) host_callbacks.before_context();
    create_context();
    if (host_callbacks.on_init) host_callbacks.on_init(client_width, client_height);
}

uint32_t host_frame(const std::function<void()>& swap_buffers) {
    if (host_callbacks.on_frame) host_callbacks.on_frame();
    swap_buffers();
    if (host_callbacks.after_swap) host_callbacks.after_swap();
    const uint32_t delay = host_callbacks.frame_delay ? host_callbacks.frame_delay() : 0;
    return delay > kFrameTimerMillis ? delay : kFrameTimerMillis;
}

void host_other_timer(uint32_t timer_id) {
    if (host_callbacks.on_other_timer) host_callbacks.on_other_timer(timer_id);
}

void host_destroyed(const std::function<void()>& destroy_context) {
    if (host_callbacks.on_destroy) host_callbacks.on_destroy();
    destroy_context();
}

} // namespace zintu
