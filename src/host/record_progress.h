// The progress of a recording on standard error: on a terminal a bar redrawn
// in place at most ten times a second, otherwise one line at each tenth of
// the frames, each with the frames done, the time taken and the time left.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace zintu {

// The text of one report: the bar (for a terminal) or the line, without its
// line end. The time left is unknown before the first frame.
std::string progress_text(int64_t done, int64_t total, double elapsed_seconds, bool bar);

struct Progress {
    std::FILE* out = nullptr;
    bool terminal = false;
    int64_t total = 0;
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::time_point drawn; // the bar's last drawing
    bool bar_shown = false;
    int64_t tenths = 0; // tenths reported, without a terminal
};

Progress start_progress(std::FILE* out, int64_t total);

// Reports `done` frames when it is time to.
void report_progress(Progress& progress, int64_t done);

// Ends the bar's line, if one is shown.
void end_progress(Progress& progress);

} // namespace zintu
