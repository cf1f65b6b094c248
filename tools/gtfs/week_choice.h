// The week whose Wednesday, Saturday and Sunday timetables become the
// network's three service day types, when the command line names none: this
// week if the feeds run on those three days, otherwise the first week of their
// calendars that does. Days are counted from 1970-01-01, a week by its Monday.
#pragma once

#include "feed.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zintu::gtfs {

// The date at `epoch` (seconds since 1970, UTC) where `tz_rule` (a POSIX TZ
// rule) is the law; UTC when it is not a rule.
int32_t local_date(int64_t epoch, std::string_view tz_rule);

// The Monday of the week of `day`.
int32_t monday_of(int32_t day);

// Consecutive weeks with service on the same ones of their Wednesday,
// Saturday and Sunday: bit 0, 1, 2 of `days` for each, as service day types 1
// to 3 take them.
struct ServedWeeks {
    int32_t first_monday;
    int32_t last_monday;
    uint8_t days;
};

// The weeks of the calendars of `services` (calendar.txt patterns with
// calendar_dates.txt exceptions) with service on any of the three days, in
// order. Its size grows with the services and their exceptions, never with
// the length of the dates they span.
std::vector<ServedWeeks> served_weeks(const std::vector<const Service*>& services);

struct WeekChoice {
    enum class Reason : uint8_t { Requested, Current, First };
    int32_t monday = 0;
    uint8_t days = 0; // which of the three days have service, as in ServedWeeks
    Reason reason = Reason::Requested;
    std::string error; // one line; when not empty, nothing was chosen
};

// A week qualifies when it has service on all three days. Calendars in which
// no week does (a line without weekend service) settle for weeks with a
// Wednesday, and those without one for any week with service.
//
// Without `requested`: the week of `today` if it qualifies, otherwise the
// first that does. A `requested` Monday that does not qualify is an error
// naming the days without service and the nearest week that qualifies (the
// earlier of two as near). No week with service at all is an error too.
WeekChoice choose_week(const std::vector<ServedWeeks>& weeks, int32_t today,
                       std::optional<int32_t> requested);

// The choice in words, for the user: "week of 2026-12-07 (the current week):
// Wednesday 2026-12-09, Saturday 2026-12-12 and Sunday 2026-12-13", and the
// days without service where there are some.
std::string describe_week(const WeekChoice& choice);

} // namespace zintu::gtfs
