// Command line of the Linux program `zintu`: which mode to run and with what.
// Parsing is pure, so every option's handling is tested without a display.
#pragma once

#include "app/settings.h"
#include "sim/time_zone.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zintu {

enum class RunMode {
    Window,    // draw on the display: a window, the screen, or a given window
    Vehicles,  // print the vehicles of one moment as CSV
    Snapshot,  // render one frame headless into a PNG file
    Configure, // save the settings switches in the settings file
    Info,      // print what the network says about itself and its size
    Help,
    Version,
};

// Where RunMode::Window draws.
enum class WindowTarget {
    Desktop,    // a window of its own, 1280x800 (the default)
    FullScreen, // a window of its own over the whole screen (--fullscreen)
    Root,       // the root window or XSCREENSAVER_WINDOW (--root)
    WindowId,   // an existing window (--window-id)
};

struct Options {
    RunMode mode = RunMode::Window;
    WindowTarget target = WindowTarget::Desktop;
    uint32_t window_id = 0; // --window-id
    SettingsOverride settings;
    // --at, a wall-clock time in the network's zone; empty means now. A
    // window's clock starts at that time and runs on from there.
    std::optional<CivilTime> at;
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

// Parses "YYYY-MM-DD HH:MM:SS"; empty when malformed or when a field is out
// of range.
std::optional<CivilTime> parse_civil_time(const std::string& text);

// Parses an X window id: decimal, or hexadecimal after "0x" or "0X"; empty
// when malformed, zero or beyond 32 bits.
std::optional<uint32_t> parse_window_id(std::string_view text);

// Parses "WxH" with both sides from 1 to kMaxSnapshotSide.
bool parse_size(const std::string& text, int32_t& width, int32_t& height);

// The text `zintu --help` prints.
const char* usage_text();

} // namespace zintu
