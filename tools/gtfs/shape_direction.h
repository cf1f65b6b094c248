// Which way a trip runs along its shape. Feeds share one shape between the
// trips of both directions now and then; a trip whose stops run against the
// shape's point order travels the shape reversed.
#pragma once

#include "feed.h"
#include "stop_placement.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace zintu::gtfs {

class ShapeDirections {
public:
    explicit ShapeDirections(const Feed& feed) : feed_(feed) {}

    // True when the stops (indices into the feed's stops) lie along the
    // reversed shape more closely than along the shape as given.
    bool runs_against(int32_t shape, const std::vector<int32_t>& stops);

private:
    const Feed& feed_;
    // Per shape: the polyline forward and reversed, in kilometres about its
    // first point.
    std::map<int32_t, std::pair<Polyline, Polyline>> lines_;
    std::map<std::pair<int32_t, std::vector<int32_t>>, bool> answers_;
};

} // namespace zintu::gtfs
