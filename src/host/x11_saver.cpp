// The X11 host's event loop: X events first, then a frame when its tick is
// due, then a sleep in ppoll until the next tick, an X event or a signal.
// The application says when the next tick is due; an exposure brings it
// within one period, and while the window is wholly covered no tick comes.
#include "host/x11_saver.h"

#include "app/app.h"
#include "app/host_callbacks.h"
#include "app/host_sequence.h"
#include "host/glx_context.h"
#include "host/linux_saver_rules.h"
#include "host/linux_signals.h"
#include "host/x11_geometry_guard.h"
#include "host/x11_scale.h"
#include "host/x11_window.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <poll.h>
#include <string>

namespace zintu {
namespace {

constexpr int64_t kNanosPerMilli = 1000000;
constexpr int64_t kNanosPerSecond = 1000000000;

int64_t monotonic_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * kNanosPerSecond + now.tv_nsec;
}

// Sleeps until the X connection or the signal pipe has input, or until
// `timeout_ns` has passed (a negative one never passes).
void wait_for_input(int x_fd, int signal_fd, int64_t timeout_ns) {
    pollfd fds[2] = {{x_fd, POLLIN, 0}, {signal_fd, POLLIN, 0}};
    const timespec timeout{static_cast<time_t>(timeout_ns / kNanosPerSecond),
                           static_cast<long>(timeout_ns % kNanosPerSecond)};
    ppoll(fds, 2, timeout_ns < 0 ? nullptr : &timeout, nullptr);
}

// --at: the real-time clock runs on from that moment.
void start_real_clock_at(App& application, int64_t epoch_seconds) {
    const auto started = std::chrono::steady_clock::now();
    application.platform.time_source = [epoch_seconds, started] {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - started)
                                 .count();
        return WallTime{epoch_seconds + elapsed / 1000, static_cast<uint16_t>(elapsed % 1000)};
    };
}

// --at in fast mode: the simulated day starts at that time of day, on that
// date. Needs the speed mode, so it runs after initialisation.
void start_fast_clock_at(App& application, int64_t epoch_seconds) {
    application.platform.time_source = [epoch_seconds] { return WallTime{epoch_seconds, 0}; };
    prime_fast_clock(application.sim.clock, epoch_seconds, application.sim.zone);
}

// The clock's reading in seconds, fast mode's midnights included, for the
// measurement line.
double clock_reading(const SimClock& clock) {
    return static_cast<double>(clock.fast_days) * kSecondsPerDay + clock.seconds;
}

// What the loop's end leaves behind: its status and, for an unexpected X
// error, its description.
struct Ending {
    bool ended = false;
    int status = 0;
    std::string reason;
};

// Fails a run before its frame loop: releases what exists, says why.
int fail_before_frames(X11Connection& x, X11Surface& surface, const std::string& error,
                       std::FILE* err) {
    release_surface(x, surface);
    close_x11(x);
    std::fprintf(err, "zintu: %s\n", error.c_str());
    return 1;
}

// Errors are looked at after each batch of events: a request on the window
// drawn into fails once that window is destroyed, which ends the saver like
// the DestroyNotify that comes with it; anything else is a failure.
void judge_x11_errors(const X11Connection& x, const X11Surface& surface, int glx_base,
                      Ending& ending) {
    const X11Error error = take_x11_error();
    if (!error.any || ending.ended) return;
    ending.ended = true;
    if (is_lost_window_error(error.code, glx_base) && error.resource == surface.window) return;
    ending.status = 1;
    ending.reason = describe_x11_error(x, error);
}

} // namespace

int run_x11_saver(const Options& options, std::optional<int64_t> start_at, std::FILE* err) {
    std::string error;
    const SaverTarget target =
        choose_saver_target(options.target, options.window_id, std::getenv("XSCREENSAVER_WINDOW"));
    if (target.error.empty()) {
        // Before any connection or driver thread exists, so every thread
        // inherits the handlers.
        watch_signals({SIGTERM, SIGINT, SIGHUP}, error);
    } else {
        error = target.error;
    }
    X11Connection x;
    X11Surface surface;
    if (!error.empty() || !open_x11(x, error)) return fail_before_frames(x, surface, error, err);

    // The window and its GL format: an own window is made on the nearest
    // format; a window handed over keeps its visual, and the format must fit it.
    GlxSurfaceFormat format;
    bool ready;
    if (owns_window(target.kind)) {
        ready =
            choose_glx_format(x.display, x.screen, 0, format, error) &&
            create_own_window(x, format.visual, format.depth, format.visual_id,
                              target.kind == WindowTarget::FullScreen,
                              x11_display_scale(x.display, x.root, options.scale), surface, error);
    } else {
        ready = adopt_window(x, target.window_id, surface, error) &&
                choose_glx_format(x.display, x.screen, surface.visual_id, format, error);
    }
    if (!ready) return fail_before_frames(x, surface, error, err);
    const int glx_base = glx_error_base(x.display);
    answer_lost_geometry_with(surface.window, surface.width, surface.height);

    // Window created: the reference position for pointer movement, then the
    // host sequence up to on_init, then the frame timer.
    const ScreenPoint saved_cursor_pos = pointer_position(x);
    App& application = app();
    if (start_at) start_real_clock_at(application, *start_at);
    GlxContext gl;
    application.platform.map_store = [&gl] { return glx_map_store(gl); };
    application.platform.display_scale = [&x, &surface, &options] {
        return x11_display_scale(x.display, surface.window, options.scale);
    };
    bool have_context = false;
    host_created(register_host_callbacks, surface.width, surface.height, [&] {
        have_context = create_glx_context(x.display, format, surface.window, gl, error);
        // Without a store the map layer draws the network every frame.
        if (have_context) create_glx_map_store(format, surface.width, surface.height, gl);
    });
    if (start_at && application.sim.speed_mode == SpeedMode::Fast) {
        start_fast_clock_at(application, *start_at);
    }
    Ending ending;
    if (!have_context) {
        ending = {true, 1, error};
    } else {
        show_window(x, surface);
    }

    // Measurements: the literal frames instead of the fast ones.
    const char* frame_path = std::getenv("ZINTU_FRAME_PATH");
    if (frame_path != nullptr && std::strcmp(frame_path, "literal") == 0) {
        application.path = FramePath::Literal;
    }
    const double clock_at_start = clock_reading(application.sim.clock);

    const int x_fd = ConnectionNumber(x.display);
    const int64_t period = int64_t{kFrameTimerMillis} * kNanosPerMilli;
    const int64_t started = monotonic_ns();
    int64_t deadline = started + period;
    int64_t last_frame = started;
    bool hidden = false; // wholly covered: nothing drawn would be seen
    uint64_t frames = 0;
    while (!ending.ended) {
        while (!ending.ended && XPending(x.display) > 0) {
            XEvent event;
            XNextEvent(x.display, &event);
            ScreenPoint pointer;
            const SaverEvent what = handle_x11_event(x, surface, event, pointer);
            ending.ended = saver_event_closes(what, surface.own, saved_cursor_pos, pointer);
            if (what == SaverEvent::Exposed) {
                deadline = std::min(deadline, last_frame + period);
            } else if (what == SaverEvent::Obscured) {
                hidden = true;
            } else if (what == SaverEvent::Revealed && hidden) {
                hidden = false;
                deadline = std::min(deadline, monotonic_ns()); // at once, showing now
            }
        }
        judge_x11_errors(x, surface, glx_base, ending);
        if (caught_signal() != 0) ending.ended = true;
        if (ending.ended) break;

        const int64_t now = monotonic_ns();
        if (!hidden && now >= deadline) {
            const int64_t delay =
                int64_t{host_frame([&] { swap_glx_buffers(gl); })} * kNanosPerMilli;
            ++frames;
            last_frame = now;
            // The period's grid while every tick draws; else the delay,
            // which counts from the moment it was given.
            deadline = delay == period ? next_frame_deadline(deadline, now, period)
                                       : monotonic_ns() + delay;
            continue; // events that came meanwhile go first
        }
        wait_for_input(x_fd, signal_wake_fd(), hidden ? -1 : deadline - now);
    }

    // Window going away: the timer has stopped with the loop; on_destroy and
    // the context release follow. Errors from a window that is already gone
    // mean nothing now. The connection itself goes with the process, as the
    // application's state does: closing it would unload the GL driver while
    // the driver still holds allocations of its own.
    host_destroyed([&] { destroy_glx_context(gl); });
    application.platform.map_store = nullptr;
    application.platform.display_scale = nullptr;
    release_surface(x, surface);
    XSync(x.display, False);
    take_x11_error();

    if (ending.status != 0) std::fprintf(err, "zintu: %s\n", ending.reason.c_str());
    const char* stats = std::getenv("ZINTU_FRAME_STATS");
    if (stats != nullptr && stats[0] != '\0' && stats[0] != '0') {
        const double seconds = static_cast<double>(monotonic_ns() - started) / kNanosPerSecond;
        std::fprintf(err,
                     "zintu: %llu frames in %.2f s, %.1f per second; the clock advanced %.0f s\n",
                     static_cast<unsigned long long>(frames), seconds,
                     seconds > 0 ? static_cast<double>(frames) / seconds : 0.0,
                     clock_reading(application.sim.clock) - clock_at_start);
    }
    // A signal ends the process by itself, also when it came as the loop ended
    // for another reason (a daemon may destroy its window as it signals).
    if (const int signal_number = caught_signal(); signal_number != 0) end_by_signal(signal_number);
    return ending.status;
}

} // namespace zintu
