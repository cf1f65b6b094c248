// Featured-shape selection and the deterministic numbering of shapes and stops.
#include "id_assignment.h"

#include "feed_error.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <tuple>

namespace zintu::gtfs {
namespace {

constexpr int32_t kUnassigned = 0;

// The shape with the most trips among `counts` (shape -> trips) that `accept`
// lets through and that has no id yet; -1 when there is none. Ties go to the
// shape that comes first.
template <typename Accept>
int32_t busiest(const std::map<int32_t, int64_t>& counts, const std::vector<int32_t>& id_of,
                Accept accept) {
    int32_t best = -1;
    int64_t best_trips = 0;
    for (const auto& [shape, trips] : counts) {
        if (id_of[static_cast<size_t>(shape)] != kUnassigned || !accept(shape)) continue;
        if (best < 0 || trips > best_trips) {
            best = shape;
            best_trips = trips;
        }
    }
    return best;
}

double heading_dot(const std::pair<Vec2, Vec2>& a, const std::pair<Vec2, Vec2>& b) {
    return (a.second.x - a.first.x) * (b.second.x - b.first.x) +
           (a.second.y - a.first.y) * (b.second.y - b.first.y);
}

} // namespace

ShapeIds assign_shape_ids(int32_t shape_count, const std::vector<ShapeTally>& tallies,
                          const std::vector<std::pair<Vec2, Vec2>>& ends,
                          const std::vector<std::string>& featured) {
    if (featured.size() > static_cast<size_t>(kFeaturedPairs))
        throw FeedError("", 0, "at most " + std::to_string(kFeaturedPairs) + " featured routes");
    ShapeIds ids;
    ids.id_of.assign(static_cast<size_t>(shape_count), kUnassigned);
    for (size_t pair = 0; pair < featured.size(); ++pair) {
        const std::string& route = featured[pair];
        if (std::find(featured.begin(), featured.begin() + static_cast<long>(pair), route) !=
            featured.begin() + static_cast<long>(pair))
            throw FeedError("", 0, "--feature " + route + ": route named twice");
        std::map<int32_t, int64_t> by_direction[2];
        std::map<int32_t, int64_t> all;
        bool has_direction = false;
        for (const ShapeTally& tally : tallies) {
            if (tally.route_id != route) continue;
            all[tally.shape] += tally.trips;
            if (tally.direction >= 0) {
                has_direction = true;
                by_direction[tally.direction][tally.shape] += tally.trips;
            }
        }
        if (all.empty())
            throw FeedError("", 0,
                            "--feature " + route + ": no trip of route '" + route +
                                "' runs on the chosen days");
        const auto any = [](int32_t) { return true; };
        const int32_t odd_id = static_cast<int32_t>(2 * pair + 1);
        int32_t first = -1;
        int32_t second = -1;
        if (has_direction) {
            first = busiest(by_direction[0], ids.id_of, any);
            if (first >= 0) ids.id_of[static_cast<size_t>(first)] = odd_id;
            second = busiest(by_direction[1], ids.id_of, any);
        } else {
            first = busiest(all, ids.id_of, any);
            if (first >= 0) {
                ids.id_of[static_cast<size_t>(first)] = odd_id;
                const auto& reference = ends[static_cast<size_t>(first)];
                second = busiest(all, ids.id_of, [&](int32_t shape) {
                    return heading_dot(ends[static_cast<size_t>(shape)], reference) < 0.0;
                });
            }
        }
        if (second >= 0) ids.id_of[static_cast<size_t>(second)] = odd_id + 1;
        ids.featured_routes.push_back(route);
    }
    int32_t next_id = kFirstPlainShapeId;
    for (int32_t& id : ids.id_of) {
        if (id == kUnassigned) id = next_id++;
    }
    ids.shape_count = next_id;
    return ids;
}

std::vector<std::string> resolve_featured(const std::vector<std::string>& featured,
                                          const std::vector<NamedRoute>& routes) {
    // At most this many routes are listed in a message, so that it stays a line.
    constexpr size_t kListed = 8;
    std::vector<std::string> ids;
    for (const std::string& value : featured) {
        const auto by_id = std::find_if(routes.begin(), routes.end(),
                                        [&](const NamedRoute& r) { return r.id == value; });
        if (by_id != routes.end()) {
            ids.push_back(value);
            continue;
        }
        std::vector<const NamedRoute*> named, running;
        for (const NamedRoute& route : routes) {
            if (route.short_name != value) continue;
            named.push_back(&route);
            if (route.runs) running.push_back(&route);
        }
        if (named.size() == 1 || running.size() == 1) {
            ids.push_back((named.size() == 1 ? named : running).front()->id);
            continue;
        }
        if (named.empty())
            throw FeedError(
                "", 0, "--feature " + value + ": no route has this route_id or route_short_name");
        const auto& listed = running.empty() ? named : running;
        std::string list;
        for (size_t i = 0; i < listed.size() && i < kListed; ++i)
            list += (i == 0 ? "" : ", ") + quote_field(listed[i]->id);
        if (listed.size() > kListed)
            list += " and " + std::to_string(listed.size() - kListed) + " more";
        throw FeedError("", 0,
                        "--feature " + value + ": the route_short_name of " +
                            std::to_string(listed.size()) + " routes" +
                            (running.empty() ? "" : " running on the chosen days") + ": " + list +
                            "; name one by its route_id");
    }
    return ids;
}

std::vector<int32_t> assign_stop_ids(const std::vector<StopKey>& stops,
                                     const std::vector<bool>& used) {
    std::vector<int32_t> order;
    for (size_t i = 0; i < stops.size(); ++i) {
        if (used[i]) order.push_back(static_cast<int32_t>(i));
    }
    std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        const StopKey& sa = stops[static_cast<size_t>(a)];
        const StopKey& sb = stops[static_cast<size_t>(b)];
        return std::tie(sa.id, sa.lat, sa.lon) < std::tie(sb.id, sb.lat, sb.lon);
    });
    std::vector<int32_t> ids(stops.size(), 0);
    for (size_t k = 0; k < order.size(); ++k)
        ids[static_cast<size_t>(order[k])] = static_cast<int32_t>(k + 1);
    return ids;
}

} // namespace zintu::gtfs
