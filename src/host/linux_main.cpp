// Entry of the Linux program: parses the command line and runs one mode.
#include "app/app.h"
#include "host/egl_snapshot.h"
#include "host/linux_font.h"
#include "host/linux_options.h"
#include "host/linux_settings.h"
#include "host/vehicle_list.h"
#include "host/x11_saver.h"
#include "network/network.h"
#include "sim/clock.h"

#include <cstdio>
#include <optional>
#include <string>

#ifndef ZINTU_VERSION
#define ZINTU_VERSION "0.0.0"
#endif

namespace {

// This run's settings: the settings file with the command line's switches on
// top. A file that cannot be used is named once, on standard error; the run
// goes on with the defaults.
zintu::Settings run_settings(const zintu::SettingsOverride& switches) {
    static bool reported = false;
    std::string problem;
    const zintu::Settings settings = zintu::read_linux_settings(switches, problem);
    if (!problem.empty() && !reported) {
        std::fprintf(stderr, "zintu: %s; running with the default settings\n", problem.c_str());
        reported = true;
    }
    return settings;
}

} // namespace

int main(int argc, char** argv) {
    using namespace zintu;
    const ParseResult parsed = parse_options(argc, argv);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "zintu: %s (try 'zintu --help')\n", parsed.error.c_str());
        return 2;
    }
    const Options& options = parsed.options;
    // Settings read at initialisation carry this run's switches on top.
    start_app(
        {[&options] { return run_settings(options.settings); }, make_linux_font, system_time});
    const int64_t at = options.at ? *options.at : system_time().seconds;

    switch (options.mode) {
    case RunMode::Help:
        std::fputs(usage_text(), stdout);
        return 0;
    case RunMode::Version:
        std::puts("zintu " ZINTU_VERSION);
        return 0;
    case RunMode::Vehicles:
        return print_vehicle_list(compiled_network(), run_settings(options.settings), at, stdout,
                                  stderr);
    case RunMode::Snapshot:
        return run_snapshot(
            {options.snapshot_path, options.width, options.height, options.frame, at}, stderr);
    case RunMode::Configure: {
        const std::optional<std::string> path = user_settings_file_path();
        if (!path) {
            std::fputs("zintu: no folder for the settings file: neither XDG_CONFIG_HOME nor "
                       "HOME is set\n",
                       stderr);
            return 1;
        }
        return configure_settings(*path, options.settings, stdout, stderr);
    }
    case RunMode::Window:
        break;
    }
    return run_x11_saver(options, stderr);
}
