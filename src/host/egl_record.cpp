// The recording host: the snapshot host's context and host sequence, with a
// frame for each instant of the schedule instead of one.
#include "host/egl_record.h"

#include "app/host_sequence.h"
#include "host/egl_context.h"
#include "host/egl_snapshot.h"
#include "host/linux_signals.h"
#include "host/record_progress.h"
#include "host/record_sinks.h"

#include <csignal>
#include <vector>

namespace zintu {

int run_record(const RecordRequest& request, std::FILE* err,
               const std::optional<FrameSink>& stand_in) {
    App& application = app();
    const auto bad = [err](const std::string& message) {
        std::fprintf(err, "zintu: %s\n", message.c_str());
        return kRecordBadRequest;
    };
    const std::optional<RecordFileFormat> format = record_format_of(request.path);
    if (!format && !stand_in) {
        return bad("cannot record '" + request.path +
                   "': its name must end in .gif, .webp, .mp4, .webm or .mkv");
    }
    std::string error;
    const std::optional<RecordSpan> span =
        resolve_span(request.from, request.to, request.day_epoch, application.sim.zone, error);
    if (!span) return bad(error);
    // The speed mode is the settings', read by the view's initialisation;
    // the schedule needs it first.
    const SpeedMode mode = application.platform.read_settings
                               ? application.platform.read_settings().speed_mode
                               : application.sim.speed_mode;
    const std::optional<FrameSchedule> schedule =
        make_frame_schedule(*span, request.fps, request.speed, mode, error);
    if (!schedule) return bad(error);
    if (format == RecordFileFormat::Gif && request.fps > kMaxGifFps && !stand_in) {
        return bad("a GIF shows at most " + std::to_string(kMaxGifFps) +
                   " frames a second: choose --fps " + std::to_string(kMaxGifFps) +
                   " or less, or another format");
    }

    // Signals first: the GL driver's threads must inherit the handler's mask.
    // An ffmpeg that ends early must show as a failed write, not end us.
    if (!watch_signals({SIGINT, SIGTERM}, error)) {
        std::fprintf(err, "zintu: %s\n", error.c_str());
        return 1;
    }
    std::signal(SIGPIPE, SIG_IGN);

    const WallTime first = frame_instant(*schedule, 0);
    application.platform.time_source = [first] { return first; };
    EglContext egl;
    use_headless_services(application, egl, request.scale);
    bool have_context = false;
    host_created(register_host_callbacks, request.width, request.height, [&] {
        have_context = create_egl_context(egl, request.width, request.height, error);
    });
    const auto end_context = [&] {
        if (have_context) host_destroyed([&] { destroy_egl_context(egl); });
        application.platform.map_store = nullptr;
        application.platform.display_scale = nullptr;
    };
    if (!have_context) {
        end_context();
        std::fprintf(err, "zintu: %s\n", error.c_str());
        return 1;
    }

    const FrameSink sink = stand_in ? *stand_in : make_record_sink(request.path, *format);
    const RecordFormat record_format{request.width, request.height, request.fps,
                                     schedule->frame_count,
                                     drawn_glyph_colours(application.palette)};
    if (!sink.begin(record_format, error)) {
        sink.abort();
        end_context();
        std::fprintf(err, "zintu: %s\n", error.c_str());
        return 1;
    }

    // Loading completes before the first recorded frame, as --snapshot waits
    // for it; these frames are drawn but not kept.
    int stop_signal = 0;
    while (!application.sim.loading.loading_complete && (stop_signal = caught_signal()) == 0) {
        host_frame([&] { swap_egl_buffers(egl); });
    }
    RecordResult result;
    if (stop_signal != 0) {
        sink.abort();
        result.stop_signal = stop_signal;
    } else {
        std::vector<uint8_t> pixels;
        Progress progress = start_progress(err, schedule->frame_count);
        const RecordHost host{[&] {
                                  host_frame([&] {
                                      read_rgb_pixels(egl, pixels);
                                      swap_egl_buffers(egl);
                                  });
                                  return static_cast<const uint8_t*>(pixels.data());
                              },
                              caught_signal,
                              [&](int64_t done) { report_progress(progress, done); }};
        result = record_frames(application, *schedule, sink, host);
        end_progress(progress);
    }
    end_context();
    if (result.stop_signal != 0) return 128 + result.stop_signal;
    if (!result.ok) {
        std::fprintf(err, "zintu: %s\n", result.error.c_str());
        return 1;
    }
    return 0;
}

} // namespace zintu
