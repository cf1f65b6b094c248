// Polyline simplification that keeps chosen vertices (the stops) in place.
#pragma once

#include "projection.h"

#include <vector>

namespace zintu::gtfs {

// Marks which points survive a Douglas-Peucker simplification with the given
// tolerance. Points marked in `fixed` always survive, and so do the two ends;
// every dropped point lies within `tolerance` of the kept polyline segment that
// replaces it.
std::vector<bool> simplify(const std::vector<Vec2>& points, const std::vector<bool>& fixed,
                           double tolerance);

} // namespace zintu::gtfs
