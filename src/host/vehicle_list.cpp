// The vehicle listing: the simulation driven as the frames drive it, with the
// clock held at one moment.
#include "host/vehicle_list.h"

#include "render/overlay_text.h"
#include "sim/placement.h"
#include "sim/simulation.h"

#include <charconv>
#include <memory>

namespace zintu {
namespace {

// Appends the shortest text that reads back as the same float.
void append_float(std::string& line, float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    line.append(buffer, result.ptr);
}

} // namespace

int print_vehicle_list(Network network, const Settings& settings, int64_t epoch_seconds,
                       std::FILE* out, std::FILE* err) {
    auto simulation = std::make_unique<Simulation>();
    use_network(*simulation, network);
    simulation->speed_mode = settings.speed_mode;
    load_all_runs(*simulation);

    const TimeSource source = [epoch_seconds] { return WallTime{epoch_seconds, 0}; };
    if (simulation->speed_mode == SpeedMode::Fast)
        prime_fast_clock(simulation->clock, epoch_seconds, simulation->zone);
    update_clock(simulation->clock, simulation->speed_mode, source, simulation->zone);

    std::string text = "x,y,heading,shape_id\n";
    simulation->vehicle_count =
        place_vehicles(simulation->network, simulation->loading.service_runs, simulation->clock,
                       [&text](float x, float y, float heading, int32_t shape_id) {
                           append_float(text, x);
                           text += ',';
                           append_float(text, y);
                           text += ',';
                           append_float(text, heading);
                           text += ',';
                           text += std::to_string(shape_id);
                           text += '\n';
                       });

    std::fputs(text.c_str(), out);
    std::fprintf(err, "%s\n%s\n", overlay_time_line(simulation->clock.local_time).c_str(),
                 overlay_vehicle_line(simulation->vehicle_count).c_str());
    if (std::fflush(out) != 0 || std::ferror(out)) {
        std::fputs("zintu: cannot write the vehicle list\n", err);
        return 1;
    }
    return 0;
}

} // namespace zintu
