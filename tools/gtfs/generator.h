// The whole generation, from feed paths to validated tables and their fidelity
// figures, without writing anything.
#pragma once

#include "banding.h"
#include "fidelity.h"
#include "network_tables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zintu::gtfs {

struct GeneratorOptions {
    std::vector<std::string> feeds;
    int32_t week_monday = 0;            // day number of the week's Monday
    std::vector<std::string> featured;  // up to four route ids
    std::optional<double> units_per_km; // default: a map about 5,300 units across
    BandingLimits banding;
};

struct Generated {
    NetworkTables tables;
    Fidelity fidelity;
    std::vector<std::string> feed_names;
    std::array<int32_t, 3> days{};  // dates of service day types 1, 2, 3
    std::array<int64_t, 3> trips{}; // trips running on each of those days
    double units_per_km = 0.0;
    double center_lat = 0.0;
    double center_lon = 0.0;
    std::vector<std::string> featured_routes;
    int64_t frequency_table_rows = 0; // rows taken from frequencies.txt
    int64_t moved_from_midnight = 0;  // departures at 00:00:00 moved to 00:00:01
    int64_t distinct_stops = 0;
};

// Throws FeedError for a malformed feed, a violated invariant or generated
// departures that do not match the timetable.
Generated generate(const GeneratorOptions& options);

} // namespace zintu::gtfs
