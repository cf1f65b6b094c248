// Where the stops of a trip pattern lie along a shape's polyline, and how the
// stop patterns of several trips on one shape merge into one stop sequence.
#pragma once

#include "projection.h"

#include <cstdint>
#include <vector>

namespace zintu::gtfs {

// A polyline in map units with the cumulative length at each point.
struct Polyline {
    std::vector<Vec2> points;
    std::vector<double> along;
    std::vector<int32_t> source; // index of each point in the input
};

// Drops consecutive repeated points and measures the rest.
Polyline make_polyline(const std::vector<Vec2>& points);

// The point `at` along the line (clamped to its ends).
Vec2 point_at(const Polyline& line, double at);

// The position along `line` of each stop, in travel order: of all placements
// that never go backwards along the line, the one with the least summed
// distance between each stop and its place on the line. A loop that passes a
// stop twice places the two visits at two different places, and a stop far
// off the line still gets the nearest place that keeps the order. `cost`, when
// given, receives that least sum.
std::vector<double> place_stops(const Polyline& line, const std::vector<Vec2>& stops,
                                double* cost = nullptr);

// One trip pattern: its stops (indices into a stop table) and their places
// along the shape, never decreasing.
struct PlacedPattern {
    std::vector<int32_t> stops;
    std::vector<double> along;
};

struct MergedStops {
    std::vector<int32_t> stops;
    std::vector<double> along;                  // never decreasing
    std::vector<std::vector<int32_t>> index_of; // per pattern: merged index of each of its stops
};

// The shortest stop sequence that holds every pattern in order, patterns[0]
// first. Stops that one pattern has and another lacks are slotted in by their
// place along the line.
MergedStops merge_patterns(const std::vector<PlacedPattern>& patterns);

} // namespace zintu::gtfs
