// Times of day and calendar dates as feeds write them. Service times are
// seconds since the midnight that starts the service day and may pass 24:00:00;
// dates are counted in days since 1970-01-01.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zintu::gtfs {

// "H:MM:SS" or "HH:MM:SS" (hours may exceed 23), spaces around allowed.
std::optional<int32_t> parse_service_time(std::string_view text);
// "HH:MM:SS", hours past 23 kept ("25:07:00").
std::string format_service_time(int32_t seconds);

// "YYYYMMDD", as the calendar tables write dates.
std::optional<int32_t> parse_feed_date(std::string_view text);
// "YYYY-MM-DD", as the command line takes dates.
std::optional<int32_t> parse_iso_date(std::string_view text);
std::string format_iso_date(int32_t day);

// 0 for Monday up to 6 for Sunday.
int weekday_of(int32_t day);

// Seconds since 1970-01-01 00:00:00 UTC as "YYYY-MM-DDTHH:MM:SSZ".
std::string format_utc(int64_t seconds);

} // namespace zintu::gtfs
