// The Linux saver's pure decisions.
#include "host/linux_saver_rules.h"

#include <cstdlib>

namespace zintu {

SaverTarget choose_saver_target(WindowTarget requested, uint32_t window_id,
                                const char* xscreensaver_window) {
    SaverTarget target;
    target.kind = requested;
    switch (requested) {
    case WindowTarget::WindowId:
        target.window_id = window_id;
        return target;
    case WindowTarget::FullScreen:
        return target;
    case WindowTarget::Desktop:
    case WindowTarget::Root:
        break;
    }
    if (xscreensaver_window == nullptr || xscreensaver_window[0] == '\0') return target;
    const std::optional<uint32_t> id = parse_window_id(xscreensaver_window);
    if (!id) {
        target.error = "XSCREENSAVER_WINDOW is not a window id: '" +
                       std::string(xscreensaver_window).substr(0, 40) + "'";
        return target;
    }
    target.kind = WindowTarget::Root;
    target.window_id = *id;
    return target;
}

bool owns_window(WindowTarget kind) {
    return kind == WindowTarget::Desktop || kind == WindowTarget::FullScreen;
}

bool saver_event_closes(SaverEvent event, bool own_window, ScreenPoint saved_cursor_pos,
                        ScreenPoint pointer) {
    switch (event) {
    case SaverEvent::WindowDestroyed:
    case SaverEvent::Signal:
        return true;
    case SaverEvent::KeyDown:
    case SaverEvent::ButtonDown:
    case SaverEvent::CloseRequest:
        return own_window;
    case SaverEvent::PointerMoved:
        return own_window && mouse_move_closes(saved_cursor_pos, pointer);
    case SaverEvent::Exposed:
    case SaverEvent::Obscured:
    case SaverEvent::Revealed:
    case SaverEvent::Other:
        break;
    }
    return false;
}

int64_t next_frame_deadline(int64_t deadline, int64_t fired, int64_t period) {
    if (period <= 0) return fired;
    const int64_t late = fired > deadline ? fired - deadline : 0;
    return deadline + (late / period + 1) * period;
}

bool is_lost_window_error(int error_code, int glx_error_base) {
    if (error_code == kXBadWindow || error_code == kXBadDrawable) return true;
    if (glx_error_base < 0) return false;
    const int glx = error_code - glx_error_base;
    return glx == kGlxBadDrawable || glx == kGlxBadCurrentWindow || glx == kGlxBadCurrentDrawable ||
           glx == kGlxBadWindow;
}

} // namespace zintu
