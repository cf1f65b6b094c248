// The network's time zone: the feeds' agency_timezone, checked against the
// system's zone database, with the POSIX TZ rule that the zone follows today.
// The saver keeps local time with that rule alone, on machines that have no
// zone database (Windows), so a zone without one is refused.
#pragma once

#include "feed.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zintu::gtfs {

inline constexpr const char* kZoneInfoDir = "/usr/share/zoneinfo";

struct TimeZone {
    std::string name; // "America/New_York"
    std::string rule; // "EST5EDT,M3.2.0,M11.1.0"
};

// The rule in the footer of a TZif file (version 2 or later). Throws
// std::invalid_argument saying what is wrong with the file.
std::string tzif_rule(std::string_view tzif);

// The zone `name` of the database in `zoneinfo_dir`. Throws
// std::invalid_argument when the name is not one of its zones or the zone has
// no rule.
TimeZone load_time_zone(const std::string& zoneinfo_dir, const std::string& name);

// The zone every agency of every feed names, or `chosen` (--timezone) when
// given. Throws FeedError at the agency whose zone is unknown, or that differs
// from the others while no zone is chosen.
TimeZone network_time_zone(const std::vector<Feed>& feeds, const std::optional<std::string>& chosen,
                           const std::string& zoneinfo_dir);

} // namespace zintu::gtfs
