// The compiled-in transit network: the record types of its tables and the one
// view through which the rest of the program reaches a data set.
//
// A data set is either a set of static tables generated into a source file of
// its own (data/<city>/network_data.cpp) or a network file read at start-up.
// Either way it is read-only while the program runs: what loading changes
// (which rows have been expanded) lives in the loading state.
#pragma once

#include <cstdint>
#include <string_view>

namespace zintu {

// Bounds of the whole map and the values the projection derives from them.
struct NetworkHeader {
    int32_t y_max;
    int32_t y_min;
    int32_t x_max;
    int32_t x_min;
    int32_t y_span;
    int32_t x_span;
    int32_t y_center;
    int32_t x_center;
    int32_t frequency_count;
};

// Vehicles leave along `shape_id` every `headway` seconds from `start_time`
// until (not including) `end_time`, on service day type `service_id`.
struct FrequencyRow {
    int32_t service_id;
    int32_t headway;
    int32_t run_time;
    int32_t start_time;
    int32_t end_time;
    int32_t shape_id;
};

// One vertex of a shape. `stop_id` 0 is a plain vertex; `dist` is the distance
// travelled from the shape's first point, in a unit of the shape's own.
struct ShapePoint {
    int32_t y;
    int32_t x;
    int32_t stop_id;
    double dist;
};

struct ShapeEntry {
    int32_t shape_size;
    const ShapePoint* points;
};

// The kind of vehicle a route runs: the basic route types of a GTFS feed
// (extended types are mapped to these when the network is made).
enum class RouteKind : uint8_t {
    Tram = 0,
    Metro = 1,
    Rail = 2,
    Bus = 3,
    Ferry = 4,
    CableTram = 5,
    AerialLift = 6,
    Funicular = 7,
    Trolleybus = 11,
    Monorail = 12,
};

// A colour as 0xRRGGBB; kNoRouteColour where the feed gives none.
inline constexpr uint32_t kNoRouteColour = 0xFFFFFFFFu;

// How a shape's route looks in line colours: its colour as the feed gives it
// (made visible on the map's white when drawn) and its kind of vehicle.
// `route` numbers the network's routes from 1 (0: none), so that shapes of
// one route can be told from those of another.
struct ShapeStyle {
    uint32_t colour;
    RouteKind kind;
    int32_t route = 0;
};

// The colours a network is drawn in when the user leaves the choice to it:
// four featured pairs of shapes (ids 1 to 8) and one common colour, or each
// route's own colour.
enum class NetworkColours : uint8_t { Featured, Lines };

// Index of the run list (service_id - 1) for each tm_wday, Sunday first.
using WeekdayServiceMap = int32_t[7];

// What a network says about itself besides its tables. Every text may be
// empty: a network without a time zone runs on the machine's local time, one
// without a downtown point centres the downtown view 750 units south of the
// map's centre.
struct NetworkInfo {
    std::string_view name;      // "New York City"
    std::string_view time_zone; // zone name, "America/New_York"
    std::string_view tz_rule;   // that zone's POSIX TZ rule, "EST5EDT,M3.2.0,M11.1.0"
    bool has_downtown = false;
    int32_t downtown_x = 0; // map point the downtown view centres on
    int32_t downtown_y = 0;
    std::string_view source;    // the feeds the tables were generated from
    std::string_view generated; // when, as "YYYY-MM-DDTHH:MM:SSZ"
    std::string_view summary;   // how closely the tables follow the feeds' timetable
    // The colours it is drawn in under the "auto" choice. A network made
    // with featured routes chooses them; one without, and every network
    // that records no shape styles, is drawn featured.
    NetworkColours colours = NetworkColours::Featured;
    std::string_view week = {}; // the Monday of the week its timetables come from, "YYYY-MM-DD"
};

// The whole data set. Entry 0 of `shapes` is always empty so that shape id 0
// means "no shape"; `frequencies` has `header->frequency_count` rows.
struct Network {
    const NetworkHeader* header;
    const FrequencyRow* frequencies;
    const ShapeEntry* shapes;
    int32_t shape_count;
    const int32_t* weekday_service_map;
    NetworkInfo info;
    // One style per entry of the shape table, or null where the network
    // records none (a format 1 file, a hand-made network): it is then drawn
    // featured whatever the choice.
    const ShapeStyle* shape_styles = nullptr;
};

// The data set linked into this program (chosen at build time).
Network compiled_network();

// True when `shape_id` names an entry of the shape table.
inline bool shape_in_table(const Network& network, int32_t shape_id) {
    return shape_id >= 0 && shape_id < network.shape_count;
}

} // namespace zintu
