// The command line of zintu-gtfs.
#pragma once

#include "generator.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zintu::gtfs {

struct Options {
    GeneratorOptions generator;
    std::string output;
    std::string report; // default: REPORT.md beside the output
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    Options options;
    std::string error; // empty when the command line is valid
};

ParsedOptions parse_options(const std::vector<std::string>& args);

// What the environment adds: the generation time (`now`, or SOURCE_DATE_EPOCH
// when set) and the zone database's folder (TZDIR). Returns an error, or empty.
std::string apply_environment(Options& options, const char* source_date_epoch,
                              const char* zoneinfo_dir, int64_t now);

extern const char* const kUsage;

} // namespace zintu::gtfs
