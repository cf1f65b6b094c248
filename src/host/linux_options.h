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
    Help,
    Version,
};

struct Options {
    RunMode mode = RunMode::Window;
    SettingsOverride settings;
    // --at, as seconds since the epoch of that local time; empty means now.
    std::optional<int64_t> at;
};

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

// The text `zintu --help` prints.
const char* usage_text();

} // namespace zintu
