// Gathering of trips into shape sources and patterns, and the merged stop table.
#include "assembly.h"

#include "calendar.h"

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
        stops_.push_back(MergedStop{s.id, s.lat, s.lon});
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

} // namespace

Assembly assemble(const std::vector<Feed>& feeds, const std::array<int32_t, 3>& days) {
    Assembly assembly;
    StopMerger merger(feeds);
    std::map<std::tuple<int32_t, int32_t, std::string, std::vector<int32_t>>, int32_t> shape_index;
    std::vector<std::map<std::vector<int32_t>, int32_t>> pattern_index;

    for (size_t f = 0; f < feeds.size(); ++f) {
        const Feed& feed = feeds[f];
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
            std::vector<int32_t> pattern;
            for (int32_t i = 0; i < trip.stop_time_count; ++i)
                pattern.push_back(merger.merged_index(feeds, f, times[i].stop));

            const std::string& route_id = feed.routes[static_cast<size_t>(trip.route)].id;
            // Trips without a shape share one only with trips of the same route
            // that serve the same stops.
            auto key = trip.shape != kNone
                           ? std::make_tuple(static_cast<int32_t>(f), trip.shape, std::string(),
                                             std::vector<int32_t>())
                           : std::make_tuple(static_cast<int32_t>(f), kNone, route_id, pattern);
            auto [found, added] =
                shape_index.emplace(std::move(key), static_cast<int32_t>(assembly.shapes.size()));
            if (added) {
                ShapeSource shape;
                shape.feed = static_cast<int32_t>(f);
                shape.gtfs_shape = trip.shape;
                shape.route_id = route_id;
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
    order_patterns(assembly, pattern_index);
    order_shapes(assembly);
    assembly.stops = merger.take();
    return assembly;
}

GeoBounds assembly_bounds(const std::vector<Feed>& feeds, const Assembly& assembly) {
    GeoBounds bounds;
    for (const MergedStop& stop : assembly.stops)
        bounds.add(stop.lat, stop.lon);
    for (const ShapeSource& shape : assembly.shapes) {
        if (shape.gtfs_shape == kNone) continue;
        const auto& line =
            feeds[static_cast<size_t>(shape.feed)].shapes[static_cast<size_t>(shape.gtfs_shape)];
        for (const LatLon& p : line.points)
            bounds.add(p.lat, p.lon);
    }
    return bounds;
}

} // namespace zintu::gtfs
