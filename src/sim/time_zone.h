// A network's own time: the wall-clock time of its city, whatever the zone of
// the machine showing it. A network carries its zone as a POSIX TZ rule (the
// footer of the zone's TZif file, "EST5EDT,M3.2.0,M11.1.0"), so no zone
// database is needed at run time; a network without one is shown in the
// machine's local time, through the C library.
#pragma once

#include "network/tz_rule.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string_view>

namespace zintu {

// The zone a clock reads the time in: a rule, or the machine's local time.
struct TimeZone {
    std::optional<TzRule> rule;
};

// The zone of a network's rule text: the machine's local time when it is
// empty or not a rule.
TimeZone time_zone_of(std::string_view tz_rule);

// The broken-down wall-clock time of `epoch` in `zone`, weekday, day of year
// and daylight-saving flag included. False when the moment is outside what
// the C library can show (the machine's zone only).
bool to_zone_time(const TimeZone& zone, int64_t epoch, std::tm& out);

// A wall-clock date and time, as the command line gives it (month 1..12).
struct CivilTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The instant `civil` shows in `zone`. A time the clocks skip is read with the
// offset in force before the change (02:30 on a spring-forward night is 03:30
// daylight time); a time they repeat is its first occurrence. Empty when the
// machine's zone cannot convert it.
std::optional<int64_t> from_zone_time(const TimeZone& zone, const CivilTime& civil);

} // namespace zintu
