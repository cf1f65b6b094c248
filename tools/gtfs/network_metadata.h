// What a generated network says about itself, in strings of its own: the
// generated source and the network file both write it out, and the program
// reads it back as a NetworkInfo.
#pragma once

#include "network/network.h"

#include <cstdint>
#include <string>

namespace zintu::gtfs {

struct NetworkMetadata {
    std::string name;      // "New York City"
    std::string time_zone; // "America/New_York"
    std::string tz_rule;   // "EST5EDT,M3.2.0,M11.1.0"
    bool has_downtown = false;
    int32_t downtown_x = 0; // map units
    int32_t downtown_y = 0;
    std::string source;                             // the feeds' names, "subway, bus_m"
    std::string generated;                          // "YYYY-MM-DDTHH:MM:SSZ"
    std::string summary;                            // how closely the tables follow the timetable
    NetworkColours colours = NetworkColours::Lines; // featured when routes are featured
    std::string week;                               // its Monday, "YYYY-MM-DD"

    // A view that points into this record, which must outlive it.
    NetworkInfo view() const {
        return NetworkInfo{name,   time_zone, tz_rule, has_downtown, downtown_x, downtown_y,
                           source, generated, summary, colours,      week};
    }
};

} // namespace zintu::gtfs
