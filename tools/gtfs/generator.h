// The whole generation, from feed paths to validated tables and their fidelity
// figures, without writing anything.
#pragma once

#include "banding.h"
#include "fidelity.h"
#include "network_tables.h"
#include "projection.h"
#include "time_zone.h"
#include "week_choice.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zintu::gtfs {

// Bounds on what the feeds may ask for, so that no input, however small its
// zip, makes the generator or the saver run out of memory.
struct GenerationLimits {
    int64_t row_departures = 5'000;    // departures of one frequencies.txt row
    int64_t departures = 1'000'000;    // departures in all, over the three days
    int64_t stop_timings = 20'000'000; // stop timings of all runs the saver builds
};

// A stop farther than this from its trip's shape stands on the shape.
inline constexpr double kMaxStopOffsetKm = 1.0;

struct GeneratorOptions {
    std::vector<std::string> feeds;
    std::optional<int32_t> week_monday; // the week's Monday; default: chosen by the calendars
    std::vector<std::string> featured;  // up to four route ids
    std::optional<double> units_per_km; // default: a map about 5,300 units across
    BandingLimits banding;
    std::optional<std::string> name;      // default: the agencies' names
    std::optional<LatLon> downtown;       // the downtown view's centre
    std::optional<std::string> time_zone; // default: the agencies' agency_timezone
    std::string zoneinfo_dir = kZoneInfoDir;
    int64_t generated_at = 0;               // seconds since 1970, UTC; its day is "today"
    std::optional<double> max_on_road_diff; // percent: fail when vehicles stray further
    GenerationLimits limits;
};

struct Generated {
    NetworkTables tables;
    Fidelity fidelity;
    std::vector<std::string> feed_names;
    WeekChoice week;
    std::array<int32_t, 3> days{};  // dates of service day types 1, 2, 3
    std::array<int64_t, 3> trips{}; // trips running on each of those days
    double units_per_km = 0.0;
    double center_lat = 0.0;
    double center_lon = 0.0;
    std::vector<std::string> featured_routes;
    int64_t frequency_table_rows = 0; // rows taken from frequencies.txt
    int64_t moved_from_midnight = 0;  // departures at 00:00:00 moved to 00:00:01
    int64_t distinct_stops = 0;
    // Problems the generator worked around, each "file:line: what was done".
    std::vector<std::string> warnings;
};

// Throws FeedError for a malformed feed, a violated invariant, generated
// departures that do not match the timetable, or vehicles on the road further
// from it than max_on_road_diff.
Generated generate(const GeneratorOptions& options);

} // namespace zintu::gtfs
