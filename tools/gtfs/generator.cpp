// The generation pipeline: load, gather trips by shape, project, build shapes,
// number them, cut the timetables into rows, validate and measure.
#include "generator.h"

#include "assembly.h"
#include "calendar.h"
#include "feed_loader.h"
#include "id_assignment.h"
#include "shape_builder.h"
#include "validation.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <tuple>

namespace zintu::gtfs {
namespace {

// Map coordinates must stay far inside int32 so that spans and sums cannot overflow.
constexpr double kMaxCoordinate = 1.0e9;

std::vector<BuiltShape> build_shapes(const std::vector<Feed>& feeds, const Assembly& assembly,
                                     const Projection& projection,
                                     const std::vector<Vec2>& stop_positions) {
    std::vector<BuiltShape> built;
    for (const ShapeSource& shape : assembly.shapes) {
        ShapeInput input;
        if (shape.gtfs_shape != kNone) {
            const auto& line = feeds[static_cast<size_t>(shape.feed)]
                                   .shapes[static_cast<size_t>(shape.gtfs_shape)];
            for (const LatLon& p : line.points)
                input.line.push_back(projection.project(p.lat, p.lon));
        }
        input.patterns = shape.patterns;
        built.push_back(build_shape(input, stop_positions));
    }
    return built;
}

ShapeIds number_shapes(const Assembly& assembly, const std::vector<Feed>& feeds,
                       const std::vector<BuiltShape>& built,
                       const std::vector<std::string>& featured) {
    std::map<std::tuple<int32_t, std::string, int8_t>, int64_t> counts;
    for (const WeekTrip& trip : assembly.trips) {
        const Feed& feed = feeds[static_cast<size_t>(trip.feed)];
        const Trip& t = feed.trips[static_cast<size_t>(trip.trip)];
        counts[{trip.shape_source, feed.routes[static_cast<size_t>(t.route)].id, t.direction}] +=
            std::popcount(trip.days);
    }
    std::vector<ShapeTally> tallies;
    for (const auto& [key, trips] : counts)
        tallies.push_back({std::get<0>(key), std::get<1>(key), std::get<2>(key), trips});
    std::vector<std::pair<Vec2, Vec2>> ends;
    for (const BuiltShape& shape : built) {
        const ShapePoint& first = shape.points.front();
        const ShapePoint& last = shape.points.back();
        ends.push_back({{static_cast<double>(first.x), static_cast<double>(first.y)},
                        {static_cast<double>(last.x), static_cast<double>(last.y)}});
    }
    return assign_shape_ids(static_cast<int32_t>(built.size()), tallies, ends, featured);
}

// The run time of one trip over its whole shape: its own duration, stretched by
// the share of the shape that its stops cover.
int32_t scaled_duration(const BuiltShape& shape, int32_t pattern, int32_t duration) {
    const auto& points = shape.pattern_points[static_cast<size_t>(pattern)];
    const double span = shape.points[static_cast<size_t>(points.back())].dist -
                        shape.points[static_cast<size_t>(points.front())].dist;
    const double total = shape.points.back().dist;
    if (span < 1.0 || span >= total) return duration;
    return static_cast<int32_t>(std::lround(duration * (total / span)));
}

struct RowBuilder {
    const std::vector<Feed>& feeds;
    const Assembly& assembly;
    const std::vector<BuiltShape>& built;
    const ShapeIds& ids;
    Generated& out;
    std::vector<RealDeparture> real;
    std::map<std::pair<int32_t, int32_t>, std::vector<Departure>>
        scheduled; // service, shape source

    void add_frequency_rows(const WeekTrip& trip, int32_t duration, int32_t run_time,
                            const std::vector<int32_t>& frequencies) {
        const Feed& feed = feeds[static_cast<size_t>(trip.feed)];
        const int32_t shape_id = ids.id_of[static_cast<size_t>(trip.shape_source)];
        for (int32_t index : frequencies) {
            const Frequency& f = feed.frequencies[static_cast<size_t>(index)];
            for (int32_t s = 0; s < 3; ++s) {
                if (!((trip.days >> s) & 1u)) continue;
                // A window cannot start at 0 (the run builder reads it as empty):
                // the whole window moves one second later.
                const int32_t shift = f.start_time == 0 ? 1 : 0;
                out.moved_from_midnight += shift;
                out.tables.rows.push_back(
                    {FrequencyRow{s + 1, f.headway, run_time, f.start_time + shift,
                                  f.end_time + shift, shape_id},
                     {feed.frequencies_file, f.line}});
                ++out.frequency_table_rows;
                for (int64_t t = f.start_time; t < f.end_time; t += f.headway)
                    real.push_back({s + 1, shape_id, static_cast<int32_t>(t),
                                    static_cast<int32_t>(t) + duration});
            }
        }
    }

    void collect() {
        std::vector<std::vector<std::vector<int32_t>>> frequencies_of(feeds.size());
        for (size_t f = 0; f < feeds.size(); ++f) {
            frequencies_of[f].resize(feeds[f].trips.size());
            for (size_t i = 0; i < feeds[f].frequencies.size(); ++i)
                frequencies_of[f][static_cast<size_t>(feeds[f].frequencies[i].trip)].push_back(
                    static_cast<int32_t>(i));
        }
        for (size_t k = 0; k < assembly.trips.size(); ++k) {
            const WeekTrip& trip = assembly.trips[k];
            const int32_t duration = trip.arrival - trip.departure;
            const int32_t run_time = scaled_duration(built[static_cast<size_t>(trip.shape_source)],
                                                     trip.pattern, duration);
            if (trip.frequency_based) {
                add_frequency_rows(
                    trip, duration, run_time,
                    frequencies_of[static_cast<size_t>(trip.feed)][static_cast<size_t>(trip.trip)]);
                continue;
            }
            const int32_t shape_id = ids.id_of[static_cast<size_t>(trip.shape_source)];
            for (int32_t s = 0; s < 3; ++s) {
                if (!((trip.days >> s) & 1u)) continue;
                // A departure at 00:00:00 would make a row start at 0, which
                // yields nothing; it leaves one second later instead.
                const int32_t time = std::max(trip.departure, 1);
                out.moved_from_midnight += time != trip.departure ? 1 : 0;
                scheduled[{s + 1, trip.shape_source}].push_back(
                    {time, run_time, static_cast<int32_t>(k)});
                real.push_back({s + 1, shape_id, trip.departure, trip.arrival});
            }
        }
    }

    void cut(const BandingLimits& limits) {
        for (auto& [key, departures] : scheduled) {
            const int32_t shape_id = ids.id_of[static_cast<size_t>(key.second)];
            for (const Band& band : cut_bands(std::move(departures), limits)) {
                const WeekTrip& first = assembly.trips[static_cast<size_t>(band.first_source)];
                const Feed& feed = feeds[static_cast<size_t>(first.feed)];
                out.tables.rows.push_back(
                    {FrequencyRow{key.first, band.headway, band.run_time, band.start_time,
                                  band.end_time, shape_id},
                     {feed.trips_file, feed.trips[static_cast<size_t>(first.trip)].line}});
            }
        }
    }
};

// The corners of the projected extent must fit 32-bit map coordinates with room
// to spare for spans and sums.
void check_extent(const GeoBounds& bounds, const Projection& projection) {
    for (double lat : {bounds.min_lat, bounds.max_lat}) {
        for (double lon : {bounds.min_lon, bounds.max_lon}) {
            const Vec2 p = projection.project(lat, lon);
            if (!(std::abs(p.x) < kMaxCoordinate && std::abs(p.y) < kMaxCoordinate))
                throw FeedError("", 0,
                                "the map would be too large for 32-bit coordinates: "
                                "lower --units-per-km");
        }
    }
}

} // namespace

Generated generate(const GeneratorOptions& options) {
    Generated out;
    std::vector<Feed> feeds;
    for (const std::string& path : options.feeds) {
        feeds.push_back(load_feed(path));
        out.feed_names.push_back(feeds.back().name);
    }
    out.days = service_days_of_week(options.week_monday);
    const Assembly assembly = assemble(feeds, out.days);
    for (const WeekTrip& trip : assembly.trips) {
        for (size_t s = 0; s < 3; ++s)
            out.trips[s] += (trip.days >> s) & 1u;
    }

    const GeoBounds bounds = assembly_bounds(feeds, assembly);
    const Projection projection = make_projection(bounds, options.units_per_km);
    check_extent(bounds, projection);
    out.units_per_km = projection.units_per_km;
    out.center_lat = projection.lat0;
    out.center_lon = projection.lon0;
    std::vector<Vec2> stop_positions;
    for (const MergedStop& stop : assembly.stops)
        stop_positions.push_back(projection.project(stop.lat, stop.lon));
    std::vector<BuiltShape> built = build_shapes(feeds, assembly, projection, stop_positions);

    const ShapeIds ids = number_shapes(assembly, feeds, built, options.featured);
    out.featured_routes = ids.featured_routes;
    std::vector<StopKey> stop_keys;
    for (const MergedStop& stop : assembly.stops)
        stop_keys.push_back({stop.id, stop.lat, stop.lon});
    const std::vector<int32_t> stop_ids =
        assign_stop_ids(stop_keys, std::vector<bool>(stop_keys.size(), true));
    out.distinct_stops = static_cast<int64_t>(stop_keys.size());

    out.tables.shapes.resize(static_cast<size_t>(ids.shape_count));
    for (size_t s = 0; s < built.size(); ++s) {
        const ShapeSource& source = assembly.shapes[s];
        TableShape& shape = out.tables.shapes[static_cast<size_t>(ids.id_of[s])];
        shape.points = built[s].points;
        for (ShapePoint& p : shape.points) {
            if (p.stop_id != 0) p.stop_id = stop_ids[static_cast<size_t>(p.stop_id - 1)];
        }
        shape.source = source.source;
        shape.name = out.feed_names[static_cast<size_t>(source.feed)] + ":" + source.name;
    }

    RowBuilder rows{feeds, assembly, built, ids, out, {}, {}};
    rows.collect();
    rows.cut(options.banding);
    std::stable_sort(
        out.tables.rows.begin(), out.tables.rows.end(), [](const TableRow& a, const TableRow& b) {
            const FrequencyRow& x = a.row;
            const FrequencyRow& y = b.row;
            return std::tie(x.service_id, x.shape_id, x.start_time, x.end_time, x.headway,
                            x.run_time) < std::tie(y.service_id, y.shape_id, y.start_time,
                                                   y.end_time, y.headway, y.run_time);
        });
    out.tables.header = compute_header(out.tables);
    validate_tables(out.tables);

    out.fidelity = measure_fidelity(out.tables, rows.real);
    for (const DepartureCount& count : out.fidelity.counts) {
        if (count.real == count.generated) continue;
        fail_at(out.tables.shapes[static_cast<size_t>(count.shape_id)].source,
                "shape " + std::to_string(count.shape_id) + ", service " +
                    std::to_string(count.service) + ": the rows yield " +
                    std::to_string(count.generated) + " departures, the timetable has " +
                    std::to_string(count.real));
    }
    return out;
}

} // namespace zintu::gtfs
