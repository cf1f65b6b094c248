// The command line of zintu-gtfs.
#pragma once

#include "generator.h"

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

extern const char* const kUsage;

} // namespace zintu::gtfs
