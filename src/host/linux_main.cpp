// Entry of the Linux program: parses the command line and runs one mode.
#include "app/app.h"
#include "host/egl_record.h"
#include "host/egl_snapshot.h"
#include "host/linux_font.h"
#include "host/linux_options.h"
#include "host/linux_settings.h"
#include "host/network_choice.h"
#include "host/vehicle_list.h"
#include "host/x11_saver.h"
#include "network/network.h"
#include "sim/clock.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#ifndef ZINTU_VERSION
#define ZINTU_VERSION "0.0.0"
#endif

namespace {

// `zintu --configure`: a network file is checked before it is saved, and saved
// with its absolute path, so the saver finds it from any folder.
int configure(zintu::SettingsOverride choices) {
    using namespace zintu;
    const std::optional<std::string> path = user_settings_file_path();
    if (!path) {
        std::fputs("zintu: no folder for the settings file: neither XDG_CONFIG_HOME nor HOME is "
                   "set\n",
                   stderr);
        return 1;
    }
    if (choices.network) {
        auto probe = std::make_unique<LoadedNetwork>();
        const std::string error = load_network_file(*choices.network, *probe);
        if (!error.empty()) {
            std::fprintf(stderr, "zintu: %s; the settings are unchanged\n", error.c_str());
            return 1;
        }
        std::error_code failed;
        const std::filesystem::path absolute = std::filesystem::absolute(*choices.network, failed);
        if (!failed) choices.network = absolute.string();
    }
    return configure_settings(*path, choices, stdout, stderr);
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
    if (options.mode == RunMode::Help) {
        std::fputs(usage_text(), stdout);
        return 0;
    }
    if (options.mode == RunMode::Version) {
        std::puts("zintu " ZINTU_VERSION);
        return 0;
    }
    if (options.mode == RunMode::Configure) return configure(options.settings);

    // A recording plays a day in fast mode unless the command line says
    // otherwise, whatever the settings file chose for the screen.
    SettingsOverride overrides = options.settings;
    if (options.mode == RunMode::Record && !overrides.speed_mode) {
        overrides.speed_mode = SpeedMode::Fast;
    }
    // The settings of this run, read once: the file's, with this run's
    // switches on top (a file that cannot be used is named, and the defaults
    // apply). The network they name is chosen before anything runs.
    std::string problem;
    const Settings settings = read_linux_settings(overrides, problem);
    if (!problem.empty()) {
        std::fprintf(stderr, "zintu: %s; running with the default settings\n", problem.c_str());
    }
    static LoadedNetwork loaded; // lives as long as the process, as the network must
    std::string message;
    const std::optional<Network> network =
        choose_network(options.settings.network, settings.network, loaded, message);
    if (!message.empty()) std::fprintf(stderr, "zintu: %s\n", message.c_str());
    if (!network) return 1;
    Simulation& sim = app().sim;
    use_network(sim, *network);
    start_app({[settings] { return settings; }, make_linux_font, system_time});
    app().pacing.show_fps = options.show_fps;

    // --at is read in the network's own time zone.
    const std::optional<int64_t> start_at =
        options.at ? from_zone_time(sim.zone, *options.at) : std::nullopt;
    if (options.at && !start_at) {
        std::fputs("zintu: the time given with --at does not exist on this machine\n", stderr);
        return 2;
    }
    const int64_t at = start_at.value_or(system_time().seconds);

    switch (options.mode) {
    case RunMode::Info:
        print_network_info(sim.network, stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    case RunMode::Vehicles:
        return print_vehicle_list(sim.network, settings, at, stdout, stderr);
    case RunMode::Snapshot:
        return run_snapshot({options.snapshot_path, options.width, options.height, options.frame,
                             at, options.scale},
                            stderr);
    case RunMode::Record: {
        const auto bound = [](const std::optional<SpanTime>& t) -> std::optional<SpanBound> {
            if (!t) return std::nullopt;
            return SpanBound{t->date_and_time, t->second_of_day};
        };
        return run_record({options.record_path, options.width, options.height, options.fps,
                           options.speed, bound(options.from), bound(options.to), at,
                           options.scale},
                          stderr);
    }
    default:
        break;
    }
    return run_x11_saver(options, start_at, stderr);
}
