// Invariant checks over rows, shapes and header.
#include "validation.h"

#include <cmath>
#include <string>

namespace zintu::gtfs {
namespace {

void check_row(const NetworkTables& tables, const TableRow& entry, size_t index) {
    const FrequencyRow& row = entry.row;
    const std::string name = "frequency row " + std::to_string(index);
    if (row.service_id < 1 || row.service_id > 3)
        fail_at(entry.source,
                name + ": service_id " + std::to_string(row.service_id) + " is not 1, 2 or 3");
    if (row.headway < 1) fail_at(entry.source, name + ": headway is below 1 second");
    if (row.run_time < 0) fail_at(entry.source, name + ": run_time is negative");
    if (row.start_time <= 0 || row.end_time <= row.start_time)
        fail_at(entry.source, name + ": the window " + std::to_string(row.start_time) + " to " +
                                  std::to_string(row.end_time) + " yields no departure");
    if (row.shape_id < 1 || row.shape_id >= static_cast<int32_t>(tables.shapes.size()))
        fail_at(entry.source, name + ": shape_id " + std::to_string(row.shape_id) +
                                  " is outside the shape table");
    const auto& points = tables.shapes[static_cast<size_t>(row.shape_id)].points;
    bool has_stop = false;
    for (const ShapePoint& p : points)
        has_stop = has_stop || p.stop_id != 0;
    if (!has_stop)
        fail_at(entry.source,
                name + ": shape " + std::to_string(row.shape_id) + " has no stop point");
}

void check_shape(const TableShape& shape, size_t id) {
    const std::string name = "shape " + std::to_string(id);
    const auto& points = shape.points;
    if (points.empty()) return;
    if (id == 0) fail_at(shape.source, "shape table entry 0 is not empty");
    if (points.front().dist != 0.0) fail_at(shape.source, name + ": dist does not start at 0");
    if (!(points.back().dist > 0.0)) fail_at(shape.source, name + ": the shape has no length");
    for (size_t i = 0; i < points.size(); ++i) {
        const ShapePoint& p = points[i];
        if (p.stop_id < 0) fail_at(shape.source, name + ": negative stop_id");
        if (i == 0) continue;
        const ShapePoint& q = points[i - 1];
        if (p.dist < q.dist)
            fail_at(shape.source, name + ": dist decreases at point " + std::to_string(i));
        const bool same_place = p.x == q.x && p.y == q.y;
        if (p.dist == q.dist && !same_place)
            fail_at(shape.source, name + ": points " + std::to_string(i - 1) + " and " +
                                      std::to_string(i) + " differ but share a dist");
        const double step =
            std::hypot(static_cast<double>(p.x) - q.x, static_cast<double>(p.y) - q.y);
        if (std::abs((p.dist - q.dist) - step) > 1e-6 * std::max(1.0, p.dist))
            fail_at(shape.source,
                    name + ": dist does not follow the polyline at point " + std::to_string(i));
    }
}

bool same_header(const NetworkHeader& a, const NetworkHeader& b) {
    return a.y_max == b.y_max && a.y_min == b.y_min && a.x_max == b.x_max && a.x_min == b.x_min &&
           a.y_span == b.y_span && a.x_span == b.x_span && a.y_center == b.y_center &&
           a.x_center == b.x_center && a.frequency_count == b.frequency_count;
}

} // namespace

void validate_tables(const NetworkTables& tables) {
    const SourceRef whole{"", 0};
    if (tables.shapes.empty() || !tables.shapes[0].points.empty())
        fail_at(whole, "shape table entry 0 must exist and be empty");
    for (size_t id = 0; id < tables.shapes.size(); ++id)
        check_shape(tables.shapes[id], id);
    for (size_t i = 0; i < tables.rows.size(); ++i)
        check_row(tables, tables.rows[i], i);
    if (!same_header(tables.header, compute_header(tables)))
        fail_at(whole, "the header does not match the extremes of the shape points");
}

} // namespace zintu::gtfs
