// Field-by-field comparison of networks and runs; records are never compared
// as raw memory, because of their padding.
#include "network_compare.h"

#include <tuple>

namespace zintu::testing {
namespace {

using std::to_string;

auto fields(const NetworkHeader& h) {
    return std::tie(h.y_max, h.y_min, h.x_max, h.x_min, h.y_span, h.x_span, h.y_center, h.x_center,
                    h.frequency_count);
}
auto fields(const FrequencyRow& r) {
    return std::tie(r.service_id, r.headway, r.run_time, r.start_time, r.end_time, r.shape_id);
}
auto fields(const ShapePoint& p) {
    return std::tie(p.y, p.x, p.stop_id, p.dist);
}
auto fields(const Run& r) {
    return std::tie(r.shape_id, r.start, r.end, r.stop_count);
}
auto fields(const StopTiming& s) {
    return std::tie(s.arrival, s.departure, s.point_index, s.stop_id, s.y, s.x);
}

std::string shape_difference(const ShapeEntry& a, const ShapeEntry& b) {
    if (a.shape_size != b.shape_size)
        return to_string(a.shape_size) + " points against " + to_string(b.shape_size);
    for (int32_t i = 0; i < a.shape_size; ++i) {
        if (fields(a.points[i]) != fields(b.points[i])) return "point " + to_string(i);
    }
    return {};
}

std::string stops_difference(const Run& a, const Run& b) {
    for (int32_t k = 0; k < a.stop_count; ++k) {
        if (fields(a.stops[k]) != fields(b.stops[k])) return ", stop " + to_string(k);
    }
    return {};
}

} // namespace

std::string table_difference(const Network& a, const Network& b) {
    if (fields(*a.header) != fields(*b.header)) return "header";
    for (int32_t i = 0; i < a.header->frequency_count; ++i) {
        if (fields(a.frequencies[i]) != fields(b.frequencies[i]))
            return "frequency row " + to_string(i);
    }
    if (a.shape_count != b.shape_count) return "shape_count";
    for (int32_t id = 0; id < a.shape_count; ++id) {
        const std::string difference = shape_difference(a.shapes[id], b.shapes[id]);
        if (!difference.empty()) return "shape " + to_string(id) + ": " + difference;
    }
    for (int day = 0; day < 7; ++day) {
        if (a.weekday_service_map[day] != b.weekday_service_map[day])
            return "weekday " + to_string(day);
    }
    return {};
}

std::string run_difference(const ServiceRunsTable& a, const ServiceRunsTable& b) {
    for (size_t s = 0; s < a.size(); ++s) {
        const std::string list = "service " + to_string(s + 1);
        if (a[s].count() != b[s].count()) return list + ": run count";
        for (int32_t i = 0; i < a[s].count(); ++i) {
            const Run& x = a[s].runs[static_cast<size_t>(i)];
            const Run& y = b[s].runs[static_cast<size_t>(i)];
            const std::string run = list + ", run " + to_string(i);
            if (fields(x) != fields(y)) return run;
            const std::string stops = stops_difference(x, y);
            if (!stops.empty()) return run + stops;
        }
    }
    return {};
}

} // namespace zintu::testing
