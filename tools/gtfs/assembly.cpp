// Gathering of trips into shape sources and patterns, and the merged stop table.
#include "assembly.h"

#include "calendar.h"
#include "shape_direction.h"

#include <algorithm>
#include <bit>
#include <map>
#include <numeric>
#include <tuple>
#include <unordered_map>

namespace zintu::gtfs {
namespace {

class StopMerger {
public:
    explicit StopMerger(const std::vector<Feed>& feeds) : local_(feeds.size()) {
        for (size_t f = 0; f < feeds.size(); ++f)
            local_[f].assign(feeds[f].stops.size(), -1);
    }

    int32_t merged_index(const std::vector<Feed>& feeds, size_t feed, int32_t stop) {
        int32_t& cached = local_[feed][static_cast<size_t>(stop)];
        if (cached >= 0) return cached;
        const Stop& s = feeds[feed].stops[static_cast<size_t>(stop)];
        auto& candidates = by_id_[s.id];
        for (int32_t candidate : candidates) {
            const MergedStop& m = stops_[static_cast<size_t>(candidate)];
            if (m.lat == s.lat && m.lon == s.lon) return cached = candidate;
        }
        cached = static_cast<int32_t>(stops_.size());
        stops_.push_back(MergedStop{s.id, s.lat, s.lon, {feeds[feed].stops_file, s.line}});
        candidates.push_back(cached);
        return cached;
    }

    std::vector<MergedStop> take() { return std::move(stops_); }

private:
    std::vector<std::vector<int32_t>> local_;
    std::unordered_map<std::string, std::vector<int32_t>> by_id_;
    std::vector<MergedStop> stops_;
};

int32_t first_time(const StopTime& t) {
    return t.departure != kNoTime ? t.departure : t.arrival;
}
int32_t last_time(const StopTime& t) {
    return t.arrival != kNoTime ? t.arrival : t.departure;
}

// Orders the patterns of each shape source by use and renumbers the trips'.
void order_patterns(Assembly& assembly,
                    std::vector<std::map<std::vector<int32_t>, int32_t>>& index) {
    std::vector<std::vector<int32_t>> renumber(assembly.shapes.size());
    for (size_t s = 0; s < assembly.shapes.size(); ++s) {
        ShapeSource& shape = assembly.shapes[s];
        std::vector<int32_t> order(shape.patterns.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
            const auto& pa = shape.patterns[static_cast<size_t>(a)];
            const auto& pb = shape.patterns[static_cast<size_t>(b)];
            const int64_t ta = shape.pattern_trips[static_cast<size_t>(a)];
            const int64_t tb = shape.pattern_trips[static_cast<size_t>(b)];
            if (ta != tb) return ta > tb;
            if (pa.size() != pb.size()) return pa.size() > pb.size();
            return pa < pb;
        });
        renumber[s].resize(order.size());
        std::vector<std::vector<int32_t>> patterns;
        std::vector<int64_t> trips;
        for (size_t k = 0; k < order.size(); ++k) {
            renumber[s][static_cast<size_t>(order[k])] = static_cast<int32_t>(k);
            patterns.push_back(std::move(shape.patterns[static_cast<size_t>(order[k])]));
            trips.push_back(shape.pattern_trips[static_cast<size_t>(order[k])]);
        }
        shape.patterns = std::move(patterns);
        shape.pattern_trips = std::move(trips);
        index[s].clear();
    }
    for (WeekTrip& trip : assembly.trips)
        trip.pattern =
            renumber[static_cast<size_t>(trip.shape_source)][static_cast<size_t>(trip.pattern)];
}

// Sorts the shape sources by feed, route and name, so that ids come out the
// same whatever the order of the feeds' rows.
void order_shapes(Assembly& assembly) {
    std::vector<int32_t> order(assembly.shapes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        const ShapeSource& sa = assembly.shapes[static_cast<size_t>(a)];
        const ShapeSource& sb = assembly.shapes[static_cast<size_t>(b)];
        return std::tie(sa.feed, sa.route_id, sa.name) < std::tie(sb.feed, sb.route_id, sb.name);
    });
    std::vector<int32_t> renumber(order.size());
    std::vector<ShapeSource> shapes;
    for (size_t k = 0; k < order.size(); ++k) {
        renumber[static_cast<size_t>(order[k])] = static_cast<int32_t>(k);
        shapes.push_back(std::move(assembly.shapes[static_cast<size_t>(order[k])]));
    }
    assembly.shapes = std::move(shapes);
    for (WeekTrip& trip : assembly.trips)
        trip.shape_source = renumber[static_cast<size_t>(trip.shape_source)];
}

// What trips share a shape source by: for trips with a shape, the shape, the
// direction and the first and last stop; for the others, route and pattern.
struct SourceKey {
    int32_t feed;
    int32_t shape;
    bool reversed;
    int32_t first_stop;
    int32_t last_stop;
    std::string route_id;
    std::vector<int32_t> pattern;

    auto operator<=>(const SourceKey&) const = default;
};

// Merging the patterns of a source compares each with all the stops merged
// before it; the sum of their sizes bounds that sequence.
void check_merge_sizes(const Assembly& assembly) {
    for (const ShapeSource& shape : assembly.shapes) {
        int64_t total = 0;
        int64_t longest = 0;
        for (const auto& pattern : shape.patterns) {
            total += static_cast<int64_t>(pattern.size());
            longest = std::max(longest, static_cast<int64_t>(pattern.size()));
        }
        if (total * longest > kMaxPlacementPairs)
            fail_at(shape.source, "shape " + quote_field(shape.name) + ": its trips' " +
                                      std::to_string(shape.patterns.size()) +
                                      " stop patterns are too long to merge");
    }
}

// A shapes.txt shape that several sources travel (in both directions, or
// between different stops) names each by its direction and its end stops.
void name_split_shapes(Assembly& assembly) {
    std::map<std::pair<int32_t, int32_t>, int32_t> sources_of;
    for (const ShapeSource& shape : assembly.shapes) {
        if (shape.gtfs_shape != kNone) ++sources_of[{shape.feed, shape.gtfs_shape}];
    }
    for (ShapeSource& shape : assembly.shapes) {
        if (shape.gtfs_shape == kNone) continue;
        if (shape.reversed) shape.name += " reversed";
        if (sources_of[{shape.feed, shape.gtfs_shape}] < 2) continue;
        const auto& pattern = shape.patterns.front();
        shape.name += " " + assembly.stops[static_cast<size_t>(pattern.front())].id + "-" +
                      assembly.stops[static_cast<size_t>(pattern.back())].id;
    }
}

} // namespace

Assembly assemble(const std::vector<Feed>& feeds, const std::array<int32_t, 3>& days) {
    Assembly assembly;
    StopMerger merger(feeds);
    std::map<SourceKey, int32_t> shape_index;
    std::vector<std::map<std::vector<int32_t>, int32_t>> pattern_index;

    for (size_t f = 0; f < feeds.size(); ++f) {
        const Feed& feed = feeds[f];
        ShapeDirections directions(feed);
        std::vector<bool> frequency_based(feed.trips.size(), false);
        for (const Frequency& frequency : feed.frequencies)
            frequency_based[static_cast<size_t>(frequency.trip)] = true;
        std::vector<uint8_t> service_days(feed.services.size());
        for (size_t s = 0; s < feed.services.size(); ++s)
            service_days[s] = service_day_mask(feed.services[s], days);

        for (size_t t = 0; t < feed.trips.size(); ++t) {
            const Trip& trip = feed.trips[t];
            const uint8_t trip_days = service_days[static_cast<size_t>(trip.service)];
            if (trip_days == 0) continue;
            const StopTime* times = feed.stop_times.data() + trip.first_stop_time;
            std::vector<int32_t> feed_stops;
            std::vector<int32_t> pattern;
            for (int32_t i = 0; i < trip.stop_time_count; ++i) {
                feed_stops.push_back(times[i].stop);
                pattern.push_back(merger.merged_index(feeds, f, times[i].stop));
            }
            const int64_t segments =
                trip.shape != kNone
                    ? static_cast<int64_t>(
                          feed.shapes[static_cast<size_t>(trip.shape)].points.size())
                    : static_cast<int64_t>(pattern.size());
            if (segments * static_cast<int64_t>(pattern.size()) > kMaxPlacementPairs)
                throw FeedError(feed.trips_file, trip.line,
                                "trip " + quote_field(trip.id) + ": " +
                                    std::to_string(pattern.size()) + " stops along " +
                                    std::to_string(segments) +
                                    " shape points are too many to place");

            const std::string& route_id = feed.routes[static_cast<size_t>(trip.route)].id;
            SourceKey key{static_cast<int32_t>(f), trip.shape, false, -1, -1, {}, {}};
            if (trip.shape != kNone) {
                key.reversed = directions.runs_against(trip.shape, feed_stops);
                key.first_stop = pattern.front();
                key.last_stop = pattern.back();
            } else {
                // Trips without a shape share one only with trips of the same
                // route that serve the same stops.
                key.route_id = route_id;
                key.pattern = pattern;
            }
            auto [found, added] =
                shape_index.emplace(std::move(key), static_cast<int32_t>(assembly.shapes.size()));
            if (added) {
                ShapeSource shape;
                shape.feed = static_cast<int32_t>(f);
                shape.gtfs_shape = trip.shape;
                shape.reversed = found->first.reversed;
                shape.route_id = route_id;
                shape.route = trip.route;
                if (trip.shape != kNone) {
                    const ShapeLine& line = feed.shapes[static_cast<size_t>(trip.shape)];
                    shape.name = line.id;
                    shape.source = {feed.shapes_file, line.line};
                } else {
                    shape.name = "stops of trip " + trip.id;
                    shape.source = {feed.trips_file, trip.line};
                }
                assembly.shapes.push_back(std::move(shape));
                pattern_index.emplace_back();
            }
            const int32_t source = found->second;
            ShapeSource& shape = assembly.shapes[static_cast<size_t>(source)];
            auto [pattern_found, pattern_added] =
                pattern_index[static_cast<size_t>(source)].emplace(
                    pattern, static_cast<int32_t>(shape.patterns.size()));
            if (pattern_added) {
                shape.patterns.push_back(pattern);
                shape.pattern_trips.push_back(0);
            }
            shape.pattern_trips[static_cast<size_t>(pattern_found->second)] +=
                std::popcount(trip_days);

            assembly.trips.push_back(
                WeekTrip{static_cast<int32_t>(f), static_cast<int32_t>(t), trip_days, source,
                         pattern_found->second, first_time(times[0]),
                         last_time(times[trip.stop_time_count - 1]), frequency_based[t]});
        }
    }
    if (assembly.trips.empty())
        throw FeedError("", 0,
                        "no trip runs on the Wednesday, Saturday or Sunday of the chosen week");
    assembly.stops = merger.take();
    check_merge_sizes(assembly);
    name_split_shapes(assembly);
    order_patterns(assembly, pattern_index);
    order_shapes(assembly);
    return assembly;
}

} // namespace zintu::gtfs
