// Shape building: stop placement, trimming and stop vertices; then
// simplification, rounding to map units and distances.
#include "shape_builder.h"

#include "simplify.h"
#include "stop_placement.h"

#include <cmath>

namespace zintu::gtfs {
namespace {

struct RoundedVertex {
    int32_t x;
    int32_t y;
    int32_t merged;
};

// The line's points between the first and the last stop, with each stop
// slotted in at its place along the line.
std::vector<TracedVertex> interleave(const Polyline& line, const std::vector<int32_t>& line_numbers,
                                     const MergedStops& merged,
                                     const std::vector<Vec2>& positions) {
    std::vector<TracedVertex> vertices;
    const double first = merged.along.front();
    size_t k = 0;
    for (size_t m = 0; m < merged.stops.size(); ++m) {
        for (; k < line.points.size() && line.along[k] < merged.along[m]; ++k) {
            if (line.along[k] <= first) continue;
            const auto source = static_cast<size_t>(line.source[k]);
            vertices.push_back(
                {line.points[k], -1, source < line_numbers.size() ? line_numbers[source] : 0});
        }
        vertices.push_back({positions[m], static_cast<int32_t>(m), 0});
    }
    return vertices;
}

} // namespace

TracedShape trace_shape(const ShapeInput& input, const std::vector<Vec2>& stop_positions,
                        double max_stop_offset) {
    TracedShape traced;
    if (input.patterns.empty()) return traced;
    std::vector<Vec2> raw = input.line;
    if (raw.empty()) {
        for (int32_t stop : input.patterns[0])
            raw.push_back(stop_positions[static_cast<size_t>(stop)]);
    }
    const Polyline line = make_polyline(raw);

    std::vector<PlacedPattern> placed;
    for (const auto& pattern : input.patterns) {
        std::vector<Vec2> positions;
        for (int32_t stop : pattern)
            positions.push_back(stop_positions[static_cast<size_t>(stop)]);
        placed.push_back({pattern, place_stops(line, positions)});
    }
    const MergedStops merged = merge_patterns(placed);
    // A stop far from the line is a wrong position or a wrong shape; the
    // vehicle follows the line either way, so the stop stands on it.
    std::vector<Vec2> positions;
    for (size_t m = 0; m < merged.stops.size(); ++m) {
        const auto stop = static_cast<size_t>(merged.stops[m]);
        const Vec2 own = stop_positions[stop];
        const Vec2 on_line = point_at(line, merged.along[m]);
        const double distance = std::hypot(own.x - on_line.x, own.y - on_line.y);
        if (distance > max_stop_offset && line.points.size() > 1) {
            traced.far_stops.push_back({merged.stops[m], distance});
            positions.push_back(on_line);
        } else {
            positions.push_back(own);
        }
    }
    traced.vertices = interleave(line, input.line_numbers, merged, positions);
    traced.stops = merged.stops;
    traced.index_of = merged.index_of;
    return traced;
}

BuiltShape finish_shape(const TracedShape& traced, double tolerance) {
    BuiltShape built;
    const auto& vertices = traced.vertices;
    std::vector<Vec2> positions;
    std::vector<bool> fixed;
    for (const TracedVertex& v : vertices) {
        positions.push_back(v.position);
        fixed.push_back(v.merged >= 0);
    }
    const std::vector<bool> keep = simplify(positions, fixed, tolerance);

    std::vector<RoundedVertex> rounded;
    for (size_t i = 0; i < vertices.size(); ++i) {
        if (!keep[i]) continue;
        rounded.push_back({static_cast<int32_t>(std::lround(vertices[i].position.x)),
                           static_cast<int32_t>(std::lround(vertices[i].position.y)),
                           vertices[i].merged});
    }
    // A plain vertex that rounds onto a neighbour adds nothing.
    std::vector<int32_t> merged_point(traced.stops.size(), 0);
    for (size_t i = 0; i < rounded.size(); ++i) {
        const RoundedVertex& v = rounded[i];
        if (v.merged < 0) {
            const bool same_as_previous = !built.points.empty() && built.points.back().x == v.x &&
                                          built.points.back().y == v.y;
            const bool same_as_next =
                i + 1 < rounded.size() && rounded[i + 1].x == v.x && rounded[i + 1].y == v.y;
            if (same_as_previous || same_as_next) continue;
        }
        double dist = 0.0;
        if (!built.points.empty()) {
            const ShapePoint& previous = built.points.back();
            const double dx = static_cast<double>(v.x) - previous.x;
            const double dy = static_cast<double>(v.y) - previous.y;
            dist = previous.dist + std::sqrt(dx * dx + dy * dy);
        }
        if (v.merged >= 0)
            merged_point[static_cast<size_t>(v.merged)] = static_cast<int32_t>(built.points.size());
        const int32_t stop_id = v.merged >= 0 ? traced.stops[static_cast<size_t>(v.merged)] + 1 : 0;
        built.points.push_back(ShapePoint{v.y, v.x, stop_id, dist});
    }
    for (const auto& indices : traced.index_of) {
        std::vector<int32_t> points;
        for (int32_t index : indices)
            points.push_back(merged_point[static_cast<size_t>(index)]);
        built.pattern_points.push_back(std::move(points));
    }
    return built;
}

BuiltShape build_shape(const ShapeInput& input, const std::vector<Vec2>& stop_positions,
                       double tolerance) {
    return finish_shape(trace_shape(input, stop_positions), tolerance);
}

} // namespace zintu::gtfs
