// Field-by-field comparison of networks; records are never compared as raw
// memory, because of their padding.
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

} // namespace

std::string table_difference(const Network& a, const Network& b) {
    if (fields(*a.header) != fields(*b.header)) return "header";
    for (int32_t i = 0; i < a.header->frequency_count; ++i) {
        if (fields(a.frequencies[i]) != fields(b.frequencies[i]))
            return "frequency row " + to_string(i);
    }
    if (a.shape_count != b.shape_count) return "shape_count";
    for (int32_t id = 0; id < a.shape_count; ++id) {
        const ShapeEntry &x = a.shapes[id], &y = b.shapes[id];
        if (x.shape_size != y.shape_size) return "shape " + to_string(id) + ": point count";
        for (int32_t i = 0; i < x.shape_size; ++i) {
            if (fields(x.points[i]) != fields(y.points[i]))
                return "shape " + to_string(id) + ": point " + to_string(i);
        }
    }
    for (int day = 0; day < 7; ++day) {
        if (a.weekday_service_map[day] != b.weekday_service_map[day])
            return "weekday " + to_string(day);
    }
    if ((a.shape_styles == nullptr) != (b.shape_styles == nullptr)) return "shape_styles";
    for (int32_t id = 0; a.shape_styles != nullptr && id < a.shape_count; ++id) {
        const ShapeStyle& x = a.shape_styles[id];
        const ShapeStyle& y = b.shape_styles[id];
        if (std::tie(x.colour, x.kind, x.route) != std::tie(y.colour, y.kind, y.route))
            return "style of shape " + to_string(id);
    }
    return {};
}

} // namespace zintu::testing
