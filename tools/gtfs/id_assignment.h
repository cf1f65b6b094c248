// Shape ids and stop ids of the generated network. Featured routes get the
// shape ids 1 to 8, two per route (one per direction), in the order they were
// named; every other shape follows from 9 in the order it is given.
#pragma once

#include "projection.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zintu::gtfs {

inline constexpr int32_t kFeaturedPairs = 4;
inline constexpr int32_t kFirstPlainShapeId = 2 * kFeaturedPairs + 1;

// How many trips (counted once per service day type they run on) of one route
// and direction travel one shape. direction is -1 when the feed gives none.
struct ShapeTally {
    int32_t shape;
    std::string route_id;
    int8_t direction;
    int64_t trips;
};

struct ShapeIds {
    std::vector<int32_t> id_of;               // per shape, its shape id
    std::vector<std::string> featured_routes; // the route named for each pair
    int32_t shape_count = 0;                  // entries of the shape table, 0 included
};

// For each featured route, the busiest shape in direction 0 gets the odd id of
// its pair and the busiest in direction 1 the even one. Without direction_id,
// the busiest shape takes the odd id and the busiest shape running the other
// way (first-to-last stop against it) the even one. `ends` holds each shape's
// first and last point. Throws FeedError for a route with no trip on the
// chosen days, a route named twice, or more than four routes.
ShapeIds assign_shape_ids(int32_t shape_count, const std::vector<ShapeTally>& tallies,
                          const std::vector<std::pair<Vec2, Vec2>>& ends,
                          const std::vector<std::string>& featured);

// A route as --feature may name it, over all feeds: a route_id that several
// feeds define is one route.
struct NamedRoute {
    std::string id;
    std::string short_name;
    bool runs = false; // some trip of it runs on the chosen days
};

// The route_id that each --feature value names: a route_id as it is,
// otherwise the one route whose route_short_name it is, or of several with
// that name the one that runs on the chosen days. Throws FeedError for a value
// that names no route, and for one that names several routes that run (or
// several, none of which runs), listing them.
std::vector<std::string> resolve_featured(const std::vector<std::string>& featured,
                                          const std::vector<NamedRoute>& routes);

struct StopKey {
    std::string id;
    double lat;
    double lon;
};

// Ids 1, 2, ... for the stops marked used, in the order of their feed ids (then
// positions); 0 for the others.
std::vector<int32_t> assign_stop_ids(const std::vector<StopKey>& stops,
                                     const std::vector<bool>& used);

} // namespace zintu::gtfs
