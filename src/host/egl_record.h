// `zintu --record`: the headless host run over a span of simulated time. It
// draws the saver's own frames on an offscreen EGL context, as --snapshot
// does, and streams them into the sink the file's extension chooses.
//
// Implements: the span and frame schedule, the loading frames before the
// first recorded one, the frames themselves, progress on standard error, and
// a clean stop on SIGINT or SIGTERM (the partial file removed, status 128 +
// the signal: 130 for Ctrl-C).
// Leaves out: sound, and any frame not on the schedule.
// Limits: frames are drawn one after another on the calling thread; the
// encoders (ffmpeg in its own process) run beside it.
// Depends on: EGL, giflib, libwebp (libwebpmux), and the ffmpeg program for
// videos.
#pragma once

#include "app/frame_schedule.h"
#include "app/recording.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace zintu {

struct RecordRequest {
    std::string path;
    int32_t width = 1280;
    int32_t height = 800;
    int32_t fps = 30;
    double speed = 0.0; // 0: the speed mode's rate
    std::optional<SpanBound> from;
    std::optional<SpanBound> to;
    int64_t day_epoch = 0; // an instant of the recording's day (--at, or now)
    double scale = 0.0;    // the scale factor; 0: 1, as there is no display to ask
};

// Status 2 for a request that cannot be recorded as asked (the file's
// extension, the span, the speed, a GIF's frame rate).
inline constexpr int kRecordBadRequest = 2;

// Records the file. `sink`, when given, stands in for the file's own format
// (tests). Returns the exit status: 0; 1 with one line on `err` when the file
// cannot be written, a context cannot be made or the encoder fails;
// kRecordBadRequest; or 128 + the signal that stopped it. No file is left
// unless it returns 0.
int run_record(const RecordRequest& request, std::FILE* err,
               const std::optional<FrameSink>& sink = std::nullopt);

} // namespace zintu
