// One transit feed as loaded into memory: only the tables and columns the
// generator uses, with references between tables resolved to indices and the
// line of every record kept for messages.
#pragma once

#include "network/network.h"
#include "projection.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zintu::gtfs {

inline constexpr int32_t kNoTime = -1;
inline constexpr int32_t kNone = -1;

struct Agency {
    std::string name;
    std::string time_zone; // agency_timezone as the feed writes it
    int32_t line = 0;
};

struct Route {
    std::string id;
    std::string short_name;
    uint32_t colour = kNoRouteColour; // route_color, where the feed gives a valid one
    RouteKind kind = RouteKind::Bus;  // route_type, extended types as their basic kind
    int32_t line = 0;
};

struct Stop {
    std::string id;
    double lat = 0.0;
    double lon = 0.0;
    bool has_position = false;
    int32_t line = 0;
};

struct ShapeLine {
    std::string id;
    std::vector<LatLon> points;       // in shape_pt_sequence order
    std::vector<int32_t> point_lines; // the line of each point in shapes.txt
    int32_t line = 0;                 // first line of the shape in shapes.txt
};

// A service_id with its weekly pattern (calendar.txt) and dated exceptions
// (calendar_dates.txt); either part may be missing.
struct Service {
    std::string id;
    bool has_calendar = false;
    uint8_t weekdays = 0; // bit 0 Monday ... bit 6 Sunday
    int32_t start_day = 0;
    int32_t end_day = 0;
    std::vector<std::pair<int32_t, uint8_t>> exceptions; // day, exception_type 1 or 2
};

struct Trip {
    std::string id;
    int32_t route = kNone;
    int32_t service = kNone;
    int32_t shape = kNone; // kNone: the trip has no shape_id
    int8_t direction = -1; // -1: no direction_id
    int32_t line = 0;
    int32_t first_stop_time = 0; // index into Feed::stop_times
    int32_t stop_time_count = 0;
};

// Times are kNoTime where the feed leaves them empty (between timed stops).
struct StopTime {
    int32_t trip;
    int32_t stop;
    int32_t sequence;
    int32_t arrival;
    int32_t departure;
    int32_t line;
};

struct Frequency {
    int32_t trip;
    int32_t start_time;
    int32_t end_time;
    int32_t headway;
    bool exact_times;
    int32_t line;
};

struct Feed {
    std::string path; // as given on the command line
    std::string name; // the path's last component, for the report
    std::vector<Agency> agencies;
    std::vector<Route> routes;
    std::vector<Stop> stops;
    std::vector<ShapeLine> shapes;
    std::vector<Service> services;
    std::vector<Trip> trips;
    std::vector<StopTime> stop_times; // grouped by trip, in stop_sequence order
    std::vector<Frequency> frequencies;
    std::string agency_file; // display names of the tables, for messages
    std::string stops_file;
    std::string trips_file;
    std::string stop_times_file;
    std::string shapes_file;
    std::string frequencies_file;
    std::string routes_file;
    // Problems worked around while loading, each "file:line: what was done".
    std::vector<std::string> warnings;
};

} // namespace zintu::gtfs
