// The network choice and its description.
#include "host/network_choice.h"

#include "network/route_kinds.h"
#include "sim/simulation.h"

#include <memory>
#include <string_view>

namespace zintu {
namespace {

// A text field as --info shows it: "-" for an empty one.
std::string or_dash(std::string_view text) {
    return text.empty() ? std::string("-") : std::string(text);
}

// What the network is drawn in when the colours are left to it, and its
// routes by kind ("4 (1 tram, 1 rail, 2 bus)").
void print_colours_and_routes(const Network& network, std::FILE* out) {
    if (network.shape_styles == nullptr) {
        std::fputs("colours: featured (the network records no route colours)\n", out);
        std::fputs("routes: not recorded\n", out);
        return;
    }
    std::fputs(network.info.colours == NetworkColours::Lines
                   ? "colours: lines (each route in its own colour)\n"
                   : "colours: featured (four featured routes and one common colour)\n",
               out);
    const RouteCounts routes = count_routes(network);
    std::string kinds;
    for (size_t k = 0; k < kRouteKindCount; ++k) {
        if (routes.by_kind[k] == 0) continue;
        kinds += (kinds.empty() ? " (" : ", ") + std::to_string(routes.by_kind[k]) + " " +
                 std::string(route_kind_name(kRouteKinds[k]));
    }
    std::fprintf(out, "routes: %lld%s%s; route colours: %lld of %lld\n",
                 static_cast<long long>(routes.routes), kinds.c_str(), kinds.empty() ? "" : ")",
                 static_cast<long long>(routes.coloured), static_cast<long long>(routes.routes));
}

} // namespace

std::optional<Network> choose_network(const std::optional<std::string>& explicit_path,
                                      const std::string& saved_path, LoadedNetwork& loaded,
                                      std::string& message) {
    message.clear();
    const std::string& path = explicit_path ? *explicit_path : saved_path;
    if (path.empty()) return compiled_network();
    const std::string error = load_network_file(path, loaded);
    if (error.empty()) return loaded.view();
    if (explicit_path) {
        message = error;
        return std::nullopt;
    }
    message = "the network saved in the settings cannot be used (" + error +
              "); showing the built-in network";
    return compiled_network();
}

void print_network_info(const Network& network, std::FILE* out) {
    const NetworkInfo& info = network.info;
    const NetworkHeader& h = *network.header;
    std::fprintf(out, "name: %s\n", or_dash(info.name).c_str());
    std::fprintf(out, "time zone: %s%s%s%s\n",
                 info.time_zone.empty() ? "the machine's own" : std::string(info.time_zone).c_str(),
                 info.tz_rule.empty() ? "" : " (", std::string(info.tz_rule).c_str(),
                 info.tz_rule.empty() ? "" : ")");
    if (info.has_downtown) {
        std::fprintf(out, "downtown: map point %d, %d\n", info.downtown_x, info.downtown_y);
    } else {
        std::fprintf(out, "downtown: 750 units south of the centre\n");
    }
    std::fprintf(out, "source: %s\n", or_dash(info.source).c_str());
    std::fprintf(out, "generated: %s\n", or_dash(info.generated).c_str());
    std::fprintf(out, "week: %s\n",
                 info.week.empty() ? "not recorded" : std::string(info.week).c_str());
    print_colours_and_routes(network, out);
    std::fprintf(out, "map: x %d to %d, y %d to %d\n", h.x_min, h.x_max, h.y_min, h.y_max);

    int32_t rows[3] = {};
    for (int32_t i = 0; i < h.frequency_count; ++i) {
        const int32_t service = network.frequencies[i].service_id;
        if (service >= 1 && service <= 3) ++rows[service - 1];
    }
    int64_t shapes = 0, points = 0, stop_points = 0;
    for (int32_t s = 0; s < network.shape_count; ++s) {
        const ShapeEntry& shape = network.shapes[s];
        shapes += shape.shape_size > 0;
        points += shape.shape_size;
        for (int32_t p = 0; p < shape.shape_size; ++p)
            stop_points += shape.points[p].stop_id != 0;
    }
    std::fprintf(out, "frequency rows: %d (%d weekday, %d Saturday, %d Sunday)\n",
                 h.frequency_count, rows[0], rows[1], rows[2]);
    std::fprintf(out, "shapes: %lld with points, %lld points, %lld stop points\n",
                 static_cast<long long>(shapes), static_cast<long long>(points),
                 static_cast<long long>(stop_points));

    auto simulation = std::make_unique<Simulation>();
    use_network(*simulation, network);
    load_all_runs(*simulation);
    int64_t runs[3] = {}, timings = 0;
    for (int i = 0; i < 3; ++i) {
        for (const Run& run : simulation->loading.service_runs[i].runs) {
            ++runs[i];
            timings += run.stop_count;
        }
    }
    std::fprintf(out, "runs: %lld (%lld weekday, %lld Saturday, %lld Sunday), %lld stop timings\n",
                 static_cast<long long>(runs[0] + runs[1] + runs[2]),
                 static_cast<long long>(runs[0]), static_cast<long long>(runs[1]),
                 static_cast<long long>(runs[2]), static_cast<long long>(timings));
    std::fprintf(out, "timetable: %s\n", or_dash(info.summary).c_str());
}

} // namespace zintu
