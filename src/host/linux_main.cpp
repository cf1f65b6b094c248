// Entry of the Linux program: parses the command line and runs one mode.
#include "host/linux_options.h"
#include "host/vehicle_list.h"
#include "network/network.h"
#include "sim/clock.h"

#include <cstdio>

#ifndef ZINTU_VERSION
#define ZINTU_VERSION "0.0.0"
#endif

int main(int argc, char** argv) {
    using namespace zintu;
    const ParseResult parsed = parse_options(argc, argv);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "zintu: %s (try 'zintu --help')\n", parsed.error.c_str());
        return 2;
    }
    const Options& options = parsed.options;
    const Settings settings = apply_override(Settings{}, options.settings);

    switch (options.mode) {
    case RunMode::Help:
        std::fputs(usage_text(), stdout);
        return 0;
    case RunMode::Version:
        std::puts("zintu " ZINTU_VERSION);
        return 0;
    case RunMode::Vehicles:
        return print_vehicle_list(compiled_network(), settings,
                                  options.at ? *options.at : system_time().seconds, stdout, stderr);
    case RunMode::Window:
        break;
    }
    std::fputs("zintu: this build has no window host; try 'zintu --vehicles'\n", stderr);
    return 1;
}
