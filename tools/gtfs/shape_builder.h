// The points of one generated shape: the feed's polyline trimmed to the stops
// its trips serve, every stop a vertex at its own map position in travel order,
// simplified, in whole map units, with the distance travelled at each point.
#pragma once

#include "network/network.h"
#include "projection.h"

#include <cstdint>
#include <vector>

namespace zintu::gtfs {

struct ShapeInput {
    // The shape's polyline in map units; empty for trips without a shape, whose
    // polyline is drawn through the stops of patterns[0].
    std::vector<Vec2> line;
    // The distinct stop sequences of the shape's trips (indices into the stop
    // positions), the most used first.
    std::vector<std::vector<int32_t>> patterns;
};

struct BuiltShape {
    // stop_id holds the stop's index + 1 until stop ids are assigned.
    std::vector<ShapePoint> points;
    // For each pattern, the point index of each of its stops.
    std::vector<std::vector<int32_t>> pattern_points;
};

// Points that lie within this many map units of the simplified line are dropped.
inline constexpr double kSimplifyTolerance = 0.5;

BuiltShape build_shape(const ShapeInput& input, const std::vector<Vec2>& stop_positions,
                       double tolerance = kSimplifyTolerance);

} // namespace zintu::gtfs
