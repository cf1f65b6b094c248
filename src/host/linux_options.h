// Command line of the Linux program `zintu`: which mode to run and with what.
// Parsing is pure, so every option's handling is tested without a display.
#pragma once

#include "host/settings.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zintu {

enum class RunMode {
    Window,   // a desktop window (the default)
    Vehicles, // print the vehicles of one moment as CSV
    Snapshot, // render one frame headless into a PNG file
    Help,
    Version,
};

struct Options {
    RunMode mode = RunMode::Window;
    SettingsOverride settings;
    // --at, as seconds since the epoch of that local time; empty means now.
    std::optional<int64_t> at;
    // --snapshot: the file, the client size and which frame (0: the first
    // frame after loading is complete).
    std::string snapshot_path;
    int32_t width = 1280;
    int32_t height = 800;
    int64_t frame = 0;
};

inline constexpr int32_t kMaxSnapshotSide = 16384;
inline constexpr int64_t kMaxSnapshotFrame = 1000000;

struct ParseResult {
    Options options;
    std::string error; // one line; non-empty means the command line is bad
};

// Parses argv[1..argc-1]. Every option may be written with one dash or two, and
// a value may follow as the next argument or after "=".
ParseResult parse_options(int argc, const char* const* argv);

// Parses "YYYY-MM-DD HH:MM:SS" as a local time; empty when malformed or when
// a field is out of range.
std::optional<int64_t> parse_local_time(const std::string& text);

// Parses "WxH" with both sides from 1 to kMaxSnapshotSide.
bool parse_size(const std::string& text, int32_t& width, int32_t& height);

// The text `zintu --help` prints.
const char* usage_text();

} // namespace zintu
