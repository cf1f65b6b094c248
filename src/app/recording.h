// Recording: the application's frames at the instants of a frame schedule,
// handed one by one to a sink that encodes them. The host supplies the
// drawing and the pixels; a sink is one of the file formats, or a stand-in in
// tests. Frames stream through: only the frame being handed over is held.
#pragma once

#include "app/app.h"
#include "app/frame_schedule.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zintu {

// What a sink is told before the first frame.
struct RecordFormat {
    int32_t width = 0;
    int32_t height = 0;
    int32_t fps = 30;
    int64_t frame_count = 0;
    // The vehicles' colours as drawn (0xRRGGBB), the most used first; with
    // the network's greys and the overlay's they are every colour a frame
    // holds apart from blends.
    std::vector<uint32_t> drawn_colours;
};

struct RecordedFrame {
    int64_t index = 0;
    int64_t video_ms = 0;         // where the frame starts in the video
    const uint8_t* rgb = nullptr; // width * height * 3 bytes, rows from the top
};

// A file format's encoder. Each step returns false with a one-line reason on
// failure; after any failure, or when the recording stops, only `abort` is
// called, which leaves no file behind. `finish` completes the file.
struct FrameSink {
    std::function<bool(const RecordFormat&, std::string& error)> begin;
    std::function<bool(const RecordedFrame&, std::string& error)> frame;
    std::function<bool(std::string& error)> finish;
    std::function<void()> abort;
};

// Sets the application's clock so that its next frame shows `instant`: the
// real-time clock reads it, the fast clock is primed for it.
void show_instant(App& app, WallTime instant);

// The distinct colours of the application's glyph palette as drawn, the
// colour of the most shapes first.
std::vector<uint32_t> drawn_glyph_colours(const GlyphPalette& palette);

// What the host gives the loop: `draw` runs one whole frame and returns its
// pixels; `stop` returns the signal that asks to stop, or 0; `progress` is
// told the number of frames done after each one.
struct RecordHost {
    std::function<const uint8_t*()> draw;
    std::function<int()> stop;
    std::function<void(int64_t frames_done)> progress;
};

struct RecordResult {
    bool ok = false;
    int stop_signal = 0; // the signal that stopped the recording, or 0
    std::string error;   // when neither ok nor stopped
};

// Frames 0 to frame_count - 1 of `schedule`, each shown by `show_instant`,
// drawn by the host and handed to `sink` (which has begun); then finish, or
// abort on any failure or stop.
RecordResult record_frames(App& app, const FrameSchedule& schedule, const FrameSink& sink,
                           const RecordHost& host);

} // namespace zintu
