// POSIX TZ rules, as the footer of a zone's TZif file gives them
// ("EST5EDT,M3.2.0,M11.1.0"): a network carries its zone as one, so the
// wall-clock time of its city is known without a zone database. Parsing and
// the offset at an instant; the clock's conversions build on these.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zintu {

// When a change of clocks happens in a year: the day, and the local time of
// day (in the time in force before the change; may lie outside 0..24 h).
struct TzTransition {
    enum class Kind : uint8_t {
        JulianNoLeap, // "Jn": day 1..365, February 29 never counted
        ZeroBased,    // "n": day 0..365, February 29 counted
        MonthWeekDay, // "Mm.w.d": weekday d of week w (5: the last) of month m
    };
    Kind kind = Kind::MonthWeekDay;
    int16_t day = 0;
    int8_t month = 0;
    int8_t week = 0;
    int8_t weekday = 0;
    int32_t time = 7200;
};

struct TzRule {
    int32_t std_offset = 0; // seconds east of UTC in standard time
    bool has_dst = false;
    int32_t dst_offset = 0; // seconds east of UTC in daylight-saving time
    TzTransition start;     // daylight-saving time starts
    TzTransition end;       // and ends
};

// Parses a POSIX TZ rule; empty when it is not one (or names times or offsets
// beyond the ranges the format allows).
std::optional<TzRule> parse_tz_rule(std::string_view text);

// Seconds east of UTC at `epoch` under `rule`, and whether daylight-saving
// time is in force.
int32_t utc_offset_at(const TzRule& rule, int64_t epoch, bool* is_dst = nullptr);

} // namespace zintu
