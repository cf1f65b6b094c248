// The generation pipeline: load, gather trips by shape, trace the shapes, frame
// the map by what is drawn, build and number the shapes, cut the timetables
// into rows, validate and measure.
#include "generator.h"

#include "assembly.h"
#include "calendar.h"
#include "feed_loader.h"
#include "gtfs_time.h"
#include "id_assignment.h"
#include "network/network_check.h" // the limits of NetworkInfo
#include "network/utf8.h"
#include "report.h"
#include "shape_builder.h"
#include "validation.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

namespace zintu::gtfs {
namespace {

// Map coordinates must stay far inside int32 so that spans and sums cannot overflow.
constexpr double kMaxCoordinate = 1.0e9;

std::string km(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f km", value);
    return text;
}

std::string position(double lat, double lon) {
    // Rounded first, so that a point at 0 does not print as -0.000000.
    const auto micro = [](double value) { return std::round(value * 1e6) / 1e6 + 0.0; };
    char text[64];
    std::snprintf(text, sizeof text, "%.6f, %.6f", micro(lat), micro(lon));
    return text;
}

// Kilometres about the median of the served stops: a frame that a few stops
// at wrong positions cannot pull away from the network.
Projection tracing_frame(const std::vector<MergedStop>& stops) {
    std::vector<double> lats, lons;
    for (const MergedStop& stop : stops) {
        lats.push_back(stop.lat);
        lons.push_back(stop.lon);
    }
    const size_t middle = lats.size() / 2;
    std::nth_element(lats.begin(), lats.begin() + static_cast<long>(middle), lats.end());
    std::nth_element(lons.begin(), lons.begin() + static_cast<long>(middle), lons.end());
    return projection_about(lats[middle], lons[middle]);
}

std::vector<TracedShape> trace_shapes(const std::vector<Feed>& feeds, const Assembly& assembly,
                                      const Projection& frame,
                                      const std::vector<Vec2>& stop_positions,
                                      std::vector<std::string>& warnings) {
    std::vector<TracedShape> traced;
    std::set<std::string> reported;
    for (const ShapeSource& shape : assembly.shapes) {
        ShapeInput input;
        if (shape.gtfs_shape != kNone) {
            const auto& line = feeds[static_cast<size_t>(shape.feed)]
                                   .shapes[static_cast<size_t>(shape.gtfs_shape)];
            for (const LatLon& p : line.points)
                input.line.push_back(frame.project(p.lat, p.lon));
            input.line_numbers = line.point_lines;
            if (shape.reversed) {
                std::reverse(input.line.begin(), input.line.end());
                std::reverse(input.line_numbers.begin(), input.line_numbers.end());
            }
        }
        input.patterns = shape.patterns;
        traced.push_back(trace_shape(input, stop_positions, kMaxStopOffsetKm));
        for (const FarStop& far : traced.back().far_stops) {
            const MergedStop& stop = assembly.stops[static_cast<size_t>(far.stop)];
            const std::string warning = stop.source.file + ":" + std::to_string(stop.source.line) +
                                        ": stop " + quote_field(stop.id) + " lies " +
                                        km(far.distance) + " from shape " +
                                        quote_field(shape.name) + ": drawn on the shape";
            if (reported.insert(warning).second) warnings.push_back(warning);
        }
    }
    return traced;
}

// A point of the map far outside the network would shrink the rest to a dot:
// whatever is drawn must lie within four times the distance from the middle
// of the served stops that nine in ten of them keep, or 100 km beyond it.
// A handful of stops says too little about where the network is.
void check_cluster(const std::vector<Feed>& feeds, const Assembly& assembly,
                   const std::vector<TracedShape>& traced, const Projection& frame,
                   const std::vector<Vec2>& stop_positions) {
    constexpr size_t kFewestStops = 10;
    if (stop_positions.size() < kFewestStops) return;
    std::vector<double> distances;
    for (const Vec2& p : stop_positions)
        distances.push_back(std::hypot(p.x, p.y));
    const size_t rank = (distances.size() - 1) * 9 / 10;
    std::nth_element(distances.begin(), distances.begin() + static_cast<long>(rank),
                     distances.end());
    const double usual = distances[rank];
    const double limit = std::max(4.0 * usual, usual + 100.0);
    for (size_t s = 0; s < traced.size(); ++s) {
        for (const TracedVertex& v : traced[s].vertices) {
            const double distance = std::hypot(v.position.x, v.position.y);
            if (distance <= limit) continue;
            const LatLon at = frame.unproject(v.position);
            const std::string where = " at " + position(at.lat, at.lon) + " lies " + km(distance) +
                                      " from the middle of the network, where nine stops in "
                                      "ten lie within " +
                                      km(usual);
            if (v.merged >= 0) {
                const MergedStop& stop =
                    assembly
                        .stops[static_cast<size_t>(traced[s].stops[static_cast<size_t>(v.merged)])];
                fail_at(stop.source, "stop " + quote_field(stop.id) + where);
            }
            const ShapeSource& shape = assembly.shapes[s];
            fail_at({feeds[static_cast<size_t>(shape.feed)].shapes_file, v.line_number},
                    "point of shape " + quote_field(shape.name) + where);
        }
    }
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

// Every route of the feeds, one per route_id, and whether it runs on the
// chosen days.
std::vector<NamedRoute> named_routes(const std::vector<Feed>& feeds, const Assembly& assembly) {
    std::vector<NamedRoute> out;
    std::map<std::string, size_t> index;
    std::vector<std::vector<size_t>> of_feed(feeds.size());
    for (size_t f = 0; f < feeds.size(); ++f) {
        for (const Route& route : feeds[f].routes) {
            const auto [found, added] = index.emplace(route.id, out.size());
            if (added) out.push_back({route.id, route.short_name});
            of_feed[f].push_back(found->second);
        }
    }
    for (const WeekTrip& trip : assembly.trips) {
        const Trip& t = feeds[static_cast<size_t>(trip.feed)].trips[static_cast<size_t>(trip.trip)];
        out[of_feed[static_cast<size_t>(trip.feed)][static_cast<size_t>(t.route)]].runs = true;
    }
    return out;
}

// The services that some trip runs on: a service no trip names says nothing
// about when the network runs.
std::vector<const Service*> services_with_trips(const std::vector<Feed>& feeds) {
    std::vector<const Service*> out;
    for (const Feed& feed : feeds) {
        std::vector<bool> used(feed.services.size(), false);
        for (const Trip& trip : feed.trips)
            used[static_cast<size_t>(trip.service)] = true;
        for (size_t s = 0; s < used.size(); ++s) {
            if (used[s]) out.push_back(&feed.services[s]);
        }
    }
    return out;
}

// Each shape drawn as its route: the route's colour and kind, and a number for
// the route, given in the order of the route's first shape id.
void style_shapes(const std::vector<Feed>& feeds, const Assembly& assembly, const ShapeIds& ids,
                  NetworkTables& tables) {
    std::vector<int32_t> source_of(tables.shapes.size(), kNone);
    int32_t source = 0;
    for (int32_t id : ids.id_of)
        source_of[static_cast<size_t>(id)] = source++;
    std::map<std::pair<int32_t, int32_t>, int32_t> numbers; // (feed, route) -> number
    for (size_t id = 0; id < tables.shapes.size(); ++id) {
        if (source_of[id] == kNone) continue;
        const ShapeSource& shape = assembly.shapes[static_cast<size_t>(source_of[id])];
        const Route& route =
            feeds[static_cast<size_t>(shape.feed)].routes[static_cast<size_t>(shape.route)];
        const auto next = static_cast<int32_t>(numbers.size()) + 1;
        const int32_t number =
            numbers.emplace(std::pair{shape.feed, shape.route}, next).first->second;
        tables.shapes[id].style = {route.colour, route.kind, number};
    }
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
    const GenerationLimits& limits;
    Generated& out;
    std::vector<RealDeparture> real;
    std::map<std::pair<int32_t, int32_t>, std::vector<Departure>>
        scheduled; // service, shape source
    int64_t departures = 0;

    void count_departures(int64_t count, const SourceRef& source) {
        departures += count;
        if (departures > limits.departures)
            fail_at(source, "more than " + with_commas(limits.departures) +
                                " departures in all on the three days");
    }

    void add_frequency_rows(const WeekTrip& trip, int32_t duration, int32_t run_time,
                            const std::vector<int32_t>& frequencies) {
        const Feed& feed = feeds[static_cast<size_t>(trip.feed)];
        const int32_t shape_id = ids.id_of[static_cast<size_t>(trip.shape_source)];
        for (int32_t index : frequencies) {
            const Frequency& f = feed.frequencies[static_cast<size_t>(index)];
            const SourceRef source{feed.frequencies_file, f.line};
            const int64_t count =
                (static_cast<int64_t>(f.end_time) - f.start_time + f.headway - 1) / f.headway;
            if (count > limits.row_departures)
                fail_at(source, "headway_secs " + std::to_string(f.headway) + " from " +
                                    format_service_time(f.start_time) + " to " +
                                    format_service_time(f.end_time) + " makes " +
                                    with_commas(count) + " departures, more than " +
                                    with_commas(limits.row_departures) + " a row");
            for (int32_t s = 0; s < 3; ++s) {
                if (!((trip.days >> s) & 1u)) continue;
                count_departures(count, source);
                const auto add = [&](int32_t start, int32_t end) {
                    out.tables.rows.push_back(
                        {FrequencyRow{s + 1, f.headway, run_time, start, end, shape_id}, source});
                    ++out.frequency_table_rows;
                };
                // A window cannot start at 0 (the run builder reads it as
                // empty): its first departure leaves one second later in a row
                // of its own, so that the others keep their times. It is
                // compared as moved; the second is reported on its own.
                int64_t first = f.start_time;
                if (first < kEarliestStart) {
                    add(kEarliestStart, kEarliestStart + 1); // a window of one departure
                    ++out.moved_from_midnight;
                    real.push_back({s + 1, shape_id, kEarliestStart, kEarliestStart + duration});
                    first += f.headway;
                }
                if (first < f.end_time) add(static_cast<int32_t>(first), f.end_time);
                for (int64_t t = first; t < f.end_time; t += f.headway)
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
            const Feed& feed = feeds[static_cast<size_t>(trip.feed)];
            count_departures(std::popcount(trip.days),
                             {feed.trips_file, feed.trips[static_cast<size_t>(trip.trip)].line});
            const int32_t shape_id = ids.id_of[static_cast<size_t>(trip.shape_source)];
            for (int32_t s = 0; s < 3; ++s) {
                if (!((trip.days >> s) & 1u)) continue;
                // A departure at 00:00:00 leaves one second later (banding
                // keeps it apart); it is compared as moved, and the second is
                // reported on its own.
                const int32_t time = std::max(trip.departure, kEarliestStart);
                out.moved_from_midnight += time != trip.departure ? 1 : 0;
                scheduled[{s + 1, trip.shape_source}].push_back(
                    {trip.departure, run_time, static_cast<int32_t>(k)});
                real.push_back({s + 1, shape_id, time, time + duration});
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

// The saver holds a stop timing for every stop of every run; the rows may ask
// for no more of them than the limit allows.
void check_stop_timings(const NetworkTables& tables, int64_t limit) {
    std::vector<int64_t> stop_points(tables.shapes.size(), 0);
    for (size_t id = 0; id < tables.shapes.size(); ++id) {
        for (const ShapePoint& p : tables.shapes[id].points)
            stop_points[id] += p.stop_id != 0;
    }
    int64_t timings = 0;
    for (const TableRow& entry : tables.rows) {
        const FrequencyRow& r = entry.row;
        const int64_t count =
            (static_cast<int64_t>(r.end_time) - r.start_time + r.headway - 1) / r.headway;
        timings += std::max<int64_t>(count, 0) * stop_points[static_cast<size_t>(r.shape_id)];
        if (timings > limit)
            fail_at(entry.source,
                    "the rows make more than " + with_commas(limit) + " stop timings in all");
    }
}

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

// A feed's text as the network may hold it: UTF-8 (a byte that is not becomes
// '?'), on one line (control characters become spaces), cut at a character
// boundary to `limit` bytes.
std::string network_text(std::string_view text, size_t limit) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const CodePoint c = next_code_point(text, i);
        const std::string_view piece = c.length == 0        ? "?"
                                       : is_control(c.code) ? " "
                                                            : text.substr(i, c.length);
        if (out.size() + piece.size() > limit) break;
        out += piece;
        i += c.length == 0 ? 1 : c.length;
    }
    return out;
}

std::string joined(const std::vector<std::string>& parts, size_t limit) {
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : ", ") + part;
    return network_text(out, limit);
}

NetworkMetadata describe(const GeneratorOptions& options, const std::vector<Feed>& feeds,
                         const TimeZone& zone, const Projection& projection, const Generated& out) {
    NetworkMetadata info;
    std::vector<std::string> agencies;
    for (const Feed& feed : feeds) {
        for (const Agency& agency : feed.agencies) {
            if (std::find(agencies.begin(), agencies.end(), agency.name) == agencies.end())
                agencies.push_back(agency.name);
        }
    }
    if (options.name && options.name->size() > kMaxNameBytes)
        throw FeedError("", 0, "--name: more than " + std::to_string(kMaxNameBytes) + " bytes");
    info.name =
        options.name ? network_text(*options.name, kMaxNameBytes) : joined(agencies, kMaxNameBytes);
    info.time_zone = zone.name;
    info.tz_rule = zone.rule;
    if (options.downtown) {
        const Vec2 p = projection.project(options.downtown->lat, options.downtown->lon);
        const NetworkHeader& h = out.tables.header;
        if (!(p.x >= h.x_min && p.x <= h.x_max && p.y >= h.y_min && p.y <= h.y_max))
            throw FeedError("", 0,
                            "--downtown " + position(options.downtown->lat, options.downtown->lon) +
                                " lies outside the network's map");
        info.has_downtown = true;
        info.downtown_x = static_cast<int32_t>(std::lround(p.x));
        info.downtown_y = static_cast<int32_t>(std::lround(p.y));
    }
    info.source = joined(out.feed_names, kMaxSourceBytes);
    info.generated = format_utc(options.generated_at);
    const Fidelity& f = out.fidelity;
    char summary[160];
    std::snprintf(summary, sizeof summary,
                  "vehicles on the road at most %lld (%.2f %%) from the timetable at every "
                  "quarter hour; departures at most %d s from it",
                  static_cast<long long>(f.worst_absolute.difference()),
                  f.worst_relative.relative() * 100.0, f.offset_max);
    info.summary = summary;
    // A network with featured routes is drawn in their four colours unless the
    // user chooses otherwise; one without, in its routes' own colours.
    info.colours = options.featured.empty() ? NetworkColours::Lines : NetworkColours::Featured;
    info.week = format_iso_date(out.days[0] - 2);
    return info;
}

} // namespace

Generated generate(const GeneratorOptions& options) {
    Generated out;
    std::vector<Feed> feeds;
    for (const std::string& path : options.feeds) {
        feeds.push_back(load_feed(path));
        out.feed_names.push_back(feeds.back().name);
        out.warnings.insert(out.warnings.end(), feeds.back().warnings.begin(),
                            feeds.back().warnings.end());
    }
    const TimeZone zone = network_time_zone(feeds, options.time_zone, options.zoneinfo_dir);
    // Today is the city's own date at the generation time.
    out.week = choose_week(served_weeks(services_with_trips(feeds)),
                           local_date(options.generated_at, zone.rule), options.week_monday);
    if (!out.week.error.empty()) throw FeedError("", 0, out.week.error);
    out.days = service_days_of_week(out.week.monday);
    const Assembly assembly = assemble(feeds, out.days);
    for (const WeekTrip& trip : assembly.trips) {
        for (size_t s = 0; s < 3; ++s)
            out.trips[s] += (trip.days >> s) & 1u;
    }

    const Projection frame = tracing_frame(assembly.stops);
    std::vector<Vec2> frame_stops;
    for (const MergedStop& stop : assembly.stops)
        frame_stops.push_back(frame.project(stop.lat, stop.lon));
    std::vector<TracedShape> traced =
        trace_shapes(feeds, assembly, frame, frame_stops, out.warnings);
    check_cluster(feeds, assembly, traced, frame, frame_stops);

    // The map is framed by what it draws: the traced shapes.
    GeoBounds bounds;
    for (TracedShape& shape : traced) {
        for (TracedVertex& v : shape.vertices) {
            const LatLon at = frame.unproject(v.position);
            bounds.add(at.lat, at.lon);
        }
    }
    const Projection projection = make_projection(bounds, options.units_per_km);
    check_extent(bounds, projection);
    out.units_per_km = projection.units_per_km;
    out.center_lat = projection.lat0;
    out.center_lon = projection.lon0;
    std::vector<BuiltShape> built;
    for (TracedShape& shape : traced) {
        for (TracedVertex& v : shape.vertices) {
            const LatLon at = frame.unproject(v.position);
            v.position = projection.project(at.lat, at.lon);
        }
        built.push_back(finish_shape(shape));
    }

    const ShapeIds ids = number_shapes(
        assembly, feeds, built, resolve_featured(options.featured, named_routes(feeds, assembly)));
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
    style_shapes(feeds, assembly, ids, out.tables);

    RowBuilder rows{feeds, assembly, built, ids, options.limits, out, {}, {}};
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
    check_stop_timings(out.tables, options.limits.stop_timings);
    out.tables.header = compute_header(out.tables);
    validate_tables(out.tables);

    out.fidelity = measure_fidelity(out.tables, rows.real);
    check_departure_counts(out.fidelity, out.tables);
    if (options.max_on_road_diff) check_on_road(out.fidelity, *options.max_on_road_diff);
    out.tables.info = describe(options, feeds, zone, projection, out);
    return out;
}

} // namespace zintu::gtfs
