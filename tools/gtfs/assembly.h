// The trips of all feeds that run on the chosen days, gathered by the shape
// they travel. A vehicle runs from its trip's first stop to its last, so trips
// share a shape source only when they travel the same shapes.txt shape in the
// same direction between the same first and last stop; trips without a shape
// get one source per stop pattern. Stops of all feeds are merged into one
// table, a stop id that two feeds define at the same position being one stop.
#pragma once

#include "feed.h"
#include "feed_error.h"
#include "projection.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zintu::gtfs {

struct MergedStop {
    std::string id;
    double lat;
    double lon;
    SourceRef source; // its line in stops.txt
};

struct ShapeSource {
    int32_t feed;
    int32_t gtfs_shape;    // kNone: drawn through the stops of its one pattern
    bool reversed = false; // its trips run against the shape's point order
    std::string route_id;  // the route of its trips (the first seen, if several)
    int32_t route = kNone; // that route's index in its feed's routes
    std::string name;      // shape_id (with its direction and stops when they tell
                           // it from the shape's other sources), or "stops of trip X"
    SourceRef source;
    // Distinct stop sequences (indices into Assembly::stops), most used first.
    std::vector<std::vector<int32_t>> patterns;
    std::vector<int64_t> pattern_trips;
};

struct WeekTrip {
    int32_t feed;
    int32_t trip;
    uint8_t days; // bit s - 1: runs on the day of service day type s
    int32_t shape_source;
    int32_t pattern;   // index into the shape source's patterns
    int32_t departure; // from the first stop
    int32_t arrival;   // at the last stop
    bool frequency_based;
};

struct Assembly {
    std::vector<MergedStop> stops;
    std::vector<ShapeSource> shapes; // ordered by feed, route and name
    std::vector<WeekTrip> trips;     // ordered by feed and trip
};

// Stop placement compares every stop of a pattern with every segment of its
// shape, and pattern merging every stop of one pattern with every stop of the
// others: beyond this many pairs a feed is refused rather than exhaust memory.
inline constexpr int64_t kMaxPlacementPairs = 10'000'000;

// `days` are the dates of service day types 1, 2 and 3. Throws FeedError when
// no trip runs on any of them, or when a shape's stop patterns would take more
// than kMaxPlacementPairs to place or merge.
Assembly assemble(const std::vector<Feed>& feeds, const std::array<int32_t, 3>& days);

} // namespace zintu::gtfs
