// Command line of the Linux program `zintu`: which mode to run and with what.
// Parsing is pure, so every option's handling is tested without a display.
#pragma once

#include "app/display_scale.h"
#include "app/settings.h"
#include "sim/time_zone.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zintu {

enum class RunMode {
    Window,    // draw on the display: a window, the screen, or a given window
    Vehicles,  // print the vehicles of one moment as CSV
    Snapshot,  // render one frame headless into a PNG file
    Configure, // save the settings switches in the settings file
    Info,      // print what the network says about itself and its size
    Record,    // render a span of frames headless into a video or animation
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

// --from / --to of --record: a time of day in the network's zone, on the date
// given with it or, without one, on the recording's day.
struct SpanTime {
    std::optional<CivilTime> date_and_time; // "YYYY-MM-DD HH:MM:SS": used whole
    int32_t second_of_day = 0;              // "HH:MM[:SS]", 0 to 86400 ("24:00")
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
    // --record: the file (its extension picks the format), the span, the
    // frame rate and the simulated seconds per second of video (0: the speed
    // mode's own rate). The size is --size's.
    std::string record_path;
    std::optional<SpanTime> from;
    std::optional<SpanTime> to;
    int32_t fps = 30;
    double speed = 0.0;
    // --scale: the display's scale factor for lines, glyphs and text; 0 lets
    // the display say.
    double scale = 0.0;
    // -fps, as XScreenSaver passes it to its hacks: show a frames-per-second
    // line in a corner.
    bool show_fps = false;
};

inline constexpr int32_t kMaxSnapshotSide = 16384;
inline constexpr int64_t kMaxSnapshotFrame = 1000000;
inline constexpr int32_t kMaxRecordFps = 120;
inline constexpr double kMinRecordSpeed = 0.01;
inline constexpr double kMaxRecordSpeed = 1000000.0;

// The modes an option goes with, as bits.
enum ModeBits : uint8_t {
    kWindowMode = 1,
    kVehiclesMode = 2,
    kSnapshotMode = 4,
    kConfigureMode = 8,
    kInfoMode = 16,
    kRecordMode = 32,
    kEveryMode = 63,
};

// Where --help lists an option.
enum class OptionGroup : uint8_t { Mode, Frames, Setting, Unlisted };

// One option of the command line: the parser, --help, and the checks of the
// manual page and the XScreenSaver description all read this table.
struct OptionSpec {
    const char* name;    // without dashes
    const char* value;   // its value as --help names it; nullptr: takes none
    bool optional_value; // the value may be left out (only -fps, a switch to XScreenSaver)
    uint8_t modes;       // ModeBits it goes with
    OptionGroup group;
    const char* help; // --help's text; lines after the first follow '\n'
};

// The table, in --help's order.
std::span<const OptionSpec> option_table();

struct ParseResult {
    Options options;
    std::string error; // one line; non-empty means the command line is bad
};

// Parses argv[1..argc-1]. Every option may be written with one dash or two, and
// a value may follow as the next argument or after "=". Only whole names count:
// an abbreviation is an unknown option.
ParseResult parse_options(int argc, const char* const* argv);

// Parses "YYYY-MM-DD HH:MM:SS"; empty when malformed or when a field is out
// of range.
std::optional<CivilTime> parse_civil_time(const std::string& text);

// Parses an X window id: decimal, or hexadecimal after "0x" or "0X"; empty
// when malformed, zero or beyond 32 bits.
std::optional<uint32_t> parse_window_id(std::string_view text);

// Parses "WxH" with both sides from 1 to kMaxSnapshotSide.
bool parse_size(const std::string& text, int32_t& width, int32_t& height);

// Parses --from/--to: "YYYY-MM-DD HH:MM:SS", or "HH:MM" or "HH:MM:SS" from
// 00:00 to 24:00.
std::optional<SpanTime> parse_span_time(const std::string& text);

// Parses a decimal number such as "2", "1.25" or "0.5", without sign or
// exponent; empty when malformed or outside [low, high].
std::optional<double> parse_decimal(std::string_view text, double low, double high);

// The text `zintu --help` prints.
const char* usage_text();

} // namespace zintu
