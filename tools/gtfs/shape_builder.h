// The points of one generated shape: the feed's polyline trimmed to the stops
// its trips serve, every stop a vertex in travel order, simplified, in whole
// map units, with the distance travelled at each point.
//
// Building goes in two steps so that the map can be framed by what is drawn:
// tracing places the stops and trims the line in any planar frame; finishing
// simplifies and rounds the traced vertices once they are in map units.
#pragma once

#include "network/network.h"
#include "projection.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace zintu::gtfs {

struct ShapeInput {
    // The shape's polyline; empty for trips without a shape, whose polyline is
    // drawn through the stops of patterns[0].
    std::vector<Vec2> line;
    // The feed's line of each point of `line` (may be empty), for messages.
    std::vector<int32_t> line_numbers;
    // The distinct stop sequences of the shape's trips (indices into the stop
    // positions), the most used first.
    std::vector<std::vector<int32_t>> patterns;
};

struct TracedVertex {
    Vec2 position;
    int32_t merged = -1;     // index into TracedShape::stops; -1 for a plain vertex
    int32_t line_number = 0; // of a plain vertex: its line in the feed, when known
};

// A stop that lay farther from the line than allowed and stands on it instead.
struct FarStop {
    int32_t stop;    // index into the stop positions
    double distance; // from its own position to the line
};

struct TracedShape {
    std::vector<TracedVertex> vertices;
    std::vector<int32_t> stops;                 // the merged stop sequence
    std::vector<std::vector<int32_t>> index_of; // per pattern, merged index of each stop
    std::vector<FarStop> far_stops;
};

// A stop stands at its own position, unless it lies farther than
// `max_stop_offset` from its place on the line: then it stands at that place.
TracedShape trace_shape(const ShapeInput& input, const std::vector<Vec2>& stop_positions,
                        double max_stop_offset = std::numeric_limits<double>::infinity());

struct BuiltShape {
    // stop_id holds the stop's index + 1 until stop ids are assigned.
    std::vector<ShapePoint> points;
    // For each pattern, the point index of each of its stops.
    std::vector<std::vector<int32_t>> pattern_points;
};

// Points that lie within this many map units of the simplified line are dropped.
inline constexpr double kSimplifyTolerance = 0.5;

// The traced vertices, already in map units, simplified and rounded.
BuiltShape finish_shape(const TracedShape& traced, double tolerance = kSimplifyTolerance);

// Both steps in one frame: the input in map units.
BuiltShape build_shape(const ShapeInput& input, const std::vector<Vec2>& stop_positions,
                       double tolerance = kSimplifyTolerance);

} // namespace zintu::gtfs
