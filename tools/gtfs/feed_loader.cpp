// Loading of the untimed tables (routes, stops, shapes, trips) and the order in
// which a feed's tables are read.
#include "feed_loader.h"

#include "calendar.h"
#include "feed_error.h"
#include "route_style.h"
#include "table_fields.h"
#include "timetable_loader.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace zintu::gtfs {
namespace {

void require_table(const FeedSource& source, const std::string& name) {
    if (!source.has(name)) throw FeedError(source.display_name(name), 0, "missing required file");
}

// Every feed names its agencies and their time zone; the zone is checked
// against the zone database once all feeds are read.
void load_agencies(const FeedSource& source, Feed& feed) {
    CsvReader reader = open_table(source, "agency.txt");
    feed.agency_file = reader.file_name();
    const int name_column = reader.required_column("agency_name");
    const int zone_column = reader.required_column("agency_timezone");
    reader.for_each([&] {
        feed.agencies.push_back(
            Agency{std::string(required_value(reader, name_column, "agency_name")),
                   std::string(required_value(reader, zone_column, "agency_timezone")),
                   static_cast<int32_t>(reader.line())});
    });
    if (feed.agencies.empty()) throw FeedError(feed.agency_file, 0, "no agency");
}

// A route's colour and kind only change how it is drawn: a value this program
// cannot use is a warning, and the route is drawn in its kind's colour or as
// a bus.
void read_route_look(const CsvReader& reader, int colour_column, int type_column, Route& route,
                     std::vector<std::string>& warnings) {
    const std::string at = reader.file_name() + ":" + std::to_string(reader.line()) + ": ";
    const std::string_view colour = reader.trimmed(colour_column);
    if (const auto value = parse_route_color(colour)) {
        route.colour = *value;
    } else if (!colour.empty()) {
        warnings.push_back(at + "route_color " + quote_field(colour) +
                           " is not six hex digits: the route is drawn in its kind's colour");
    }
    if (type_column < 0) return;
    const std::string_view type = reader.trimmed(type_column);
    int64_t number = -1;
    const auto [end, error] = std::from_chars(type.data(), type.data() + type.size(), number);
    const auto kind = error == std::errc() && end == type.data() + type.size()
                          ? kind_of_route_type(number)
                          : std::nullopt;
    if (kind) {
        route.kind = *kind;
    } else {
        warnings.push_back(at + "route_type " + quote_field(type) +
                           " is not a kind of route this program knows: drawn as a bus");
    }
}

IdIndex load_routes(const FeedSource& source, Feed& feed) {
    CsvReader reader = open_table(source, "routes.txt");
    feed.routes_file = reader.file_name();
    const int id_column = reader.required_column("route_id");
    const int short_name_column = reader.column("route_short_name");
    const int colour_column = reader.column("route_color");
    const int type_column = reader.column("route_type");
    if (type_column < 0)
        feed.warnings.push_back(feed.routes_file +
                                ": no route_type column: every route is drawn as a bus");
    IdIndex index;
    reader.for_each([&] {
        const std::string_view id = required_value(reader, id_column, "route_id");
        add_unique_id(index, id, static_cast<int32_t>(feed.routes.size()), reader, "route_id");
        Route route{std::string(id), std::string(reader.trimmed(short_name_column))};
        route.line = static_cast<int32_t>(reader.line());
        read_route_look(reader, colour_column, type_column, route, feed.warnings);
        feed.routes.push_back(std::move(route));
    });
    return index;
}

IdIndex load_stops(const FeedSource& source, Feed& feed) {
    CsvReader reader = open_table(source, "stops.txt");
    feed.stops_file = reader.file_name();
    const int id_column = reader.required_column("stop_id");
    const int lat_column = reader.required_column("stop_lat");
    const int lon_column = reader.required_column("stop_lon");
    const int type_column = reader.column("location_type");
    IdIndex index;
    reader.for_each([&] {
        Stop stop;
        stop.id = std::string(required_value(reader, id_column, "stop_id"));
        stop.line = static_cast<int32_t>(reader.line());
        // Generic nodes and boarding areas (location types 3 and 4) may lack a
        // position; nothing can serve them, so they are kept without one.
        const std::string_view type = reader.trimmed(type_column);
        const bool may_lack_position = type == "3" || type == "4";
        if (!(may_lack_position && reader.trimmed(lat_column).empty() &&
              reader.trimmed(lon_column).empty())) {
            stop.lat = decimal_value(reader, lat_column, "stop_lat");
            stop.lon = decimal_value(reader, lon_column, "stop_lon");
            if (stop.lat < -90.0 || stop.lat > 90.0 || stop.lon < -180.0 || stop.lon > 180.0)
                reader.fail("stop position out of range");
            stop.has_position = true;
        }
        add_unique_id(index, stop.id, static_cast<int32_t>(feed.stops.size()), reader, "stop_id");
        feed.stops.push_back(std::move(stop));
    });
    return index;
}

IdIndex load_shapes(const FeedSource& source, Feed& feed) {
    IdIndex index;
    if (!source.has("shapes.txt")) return index;
    CsvReader reader = open_table(source, "shapes.txt");
    feed.shapes_file = reader.file_name();
    const int id_column = reader.required_column("shape_id");
    const int lat_column = reader.required_column("shape_pt_lat");
    const int lon_column = reader.required_column("shape_pt_lon");
    const int sequence_column = reader.required_column("shape_pt_sequence");
    struct RawPoint {
        int32_t shape;
        int64_t sequence;
        int32_t line;
        LatLon position;
    };
    std::vector<RawPoint> points;
    reader.for_each([&] {
        const std::string_view id = required_value(reader, id_column, "shape_id");
        auto found = index.find(id);
        if (found == index.end()) {
            found = index.emplace(std::string(id), static_cast<int32_t>(feed.shapes.size())).first;
            feed.shapes.push_back(
                ShapeLine{std::string(id), {}, {}, static_cast<int32_t>(reader.line())});
        }
        const LatLon position{decimal_value(reader, lat_column, "shape_pt_lat"),
                              decimal_value(reader, lon_column, "shape_pt_lon")};
        if (position.lat < -90.0 || position.lat > 90.0 || position.lon < -180.0 ||
            position.lon > 180.0)
            reader.fail("shape point out of range");
        points.push_back(RawPoint{found->second,
                                  integer_value(reader, sequence_column, "shape_pt_sequence"),
                                  static_cast<int32_t>(reader.line()), position});
    });
    std::stable_sort(points.begin(), points.end(), [](const RawPoint& a, const RawPoint& b) {
        return a.shape != b.shape ? a.shape < b.shape : a.sequence < b.sequence;
    });
    for (size_t i = 0; i < points.size(); ++i) {
        if (i > 0 && points[i].shape == points[i - 1].shape &&
            points[i].sequence == points[i - 1].sequence)
            throw FeedError(feed.shapes_file, points[i].line,
                            "duplicate shape_pt_sequence " + std::to_string(points[i].sequence) +
                                " in shape " + quote_field(feed.shapes[points[i].shape].id));
        ShapeLine& shape = feed.shapes[static_cast<size_t>(points[i].shape)];
        shape.points.push_back(points[i].position);
        shape.point_lines.push_back(points[i].line);
    }
    return index;
}

IdIndex load_trips(const FeedSource& source, Feed& feed, const IdIndex& routes,
                   const IdIndex& services, const IdIndex& shapes) {
    CsvReader reader = open_table(source, "trips.txt");
    feed.trips_file = reader.file_name();
    const int route_column = reader.required_column("route_id");
    const int service_column = reader.required_column("service_id");
    const int id_column = reader.required_column("trip_id");
    const int shape_column = reader.column("shape_id");
    const int direction_column = reader.column("direction_id");
    IdIndex index;
    reader.for_each([&] {
        Trip trip;
        trip.id = std::string(required_value(reader, id_column, "trip_id"));
        trip.line = static_cast<int32_t>(reader.line());
        trip.route = resolve_reference(routes, required_value(reader, route_column, "route_id"),
                                       reader, "route");
        trip.service = resolve_reference(
            services, required_value(reader, service_column, "service_id"), reader, "service");
        const std::string_view shape = reader.trimmed(shape_column);
        if (!shape.empty()) trip.shape = resolve_reference(shapes, shape, reader, "shape");
        const std::string_view direction = reader.trimmed(direction_column);
        if (direction == "0" || direction == "1") {
            trip.direction = static_cast<int8_t>(direction[0] - '0');
        } else if (!direction.empty()) {
            reader.fail("direction_id " + quote_field(direction) + " is neither 0 nor 1");
        }
        add_unique_id(index, trip.id, static_cast<int32_t>(feed.trips.size()), reader, "trip_id");
        feed.trips.push_back(std::move(trip));
    });
    return index;
}

} // namespace

Feed load_feed(const std::string& path) {
    const auto source = open_feed_source(path);
    for (const char* name :
         {"agency.txt", "stops.txt", "routes.txt", "trips.txt", "stop_times.txt"})
        require_table(*source, name);

    Feed feed;
    feed.path = path;
    std::filesystem::path as_path(path);
    if (!as_path.has_filename()) as_path = as_path.parent_path();
    feed.name = as_path.filename().string();

    load_agencies(*source, feed);
    IdIndex services;
    load_services(*source, feed.services, services);
    const IdIndex routes = load_routes(*source, feed);
    const IdIndex stops = load_stops(*source, feed);
    const IdIndex shapes = load_shapes(*source, feed);
    const IdIndex trips = load_trips(*source, feed, routes, services, shapes);
    load_stop_times(*source, feed, trips, stops);
    load_frequencies(*source, feed, trips);
    return feed;
}

} // namespace zintu::gtfs
