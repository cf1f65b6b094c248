// The command line of zintu-gtfs.
#pragma once

#include "generator.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zintu::gtfs {

struct Options {
    GeneratorOptions generator;
    std::string output; // default: the network's name as a file name, in the current folder
    std::string report; // default: REPORT.md beside the output
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    Options options;
    std::string error; // empty when the command line is valid
};

ParsedOptions parse_options(const std::vector<std::string>& args);

// "<name>.zintu" for a network called `name`: letters, digits, '-', '_', '.'
// and every non-ASCII character kept, each run of anything else one '-', no
// leading dot or trailing '-' or '.', at most 100 bytes before the extension
// (cut between characters); "network.zintu" when nothing is left.
std::string network_file_name(std::string_view name);

// Fills in the output paths the command line left out, the network file
// named after `network_name`; returns why the paths cannot take the outputs,
// or empty.
std::string complete_outputs(Options& options, std::string_view network_name);

// What the environment adds: the generation time (`now`, or SOURCE_DATE_EPOCH
// when set) and the zone database's folder (TZDIR). Returns an error, or empty.
std::string apply_environment(Options& options, const char* source_date_epoch,
                              const char* zoneinfo_dir, int64_t now);

extern const char* const kUsage;

} // namespace zintu::gtfs
