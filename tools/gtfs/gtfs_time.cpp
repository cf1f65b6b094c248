// Time and date parsing with strict digit checks, so that a malformed value is
// reported instead of read as something else.
#include "gtfs_time.h"

#include "csv_reader.h"
#include "network/civil_date.h"

#include <cstdio>

namespace zintu::gtfs {
namespace {

bool all_digits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

int64_t digits_value(std::string_view text) {
    int64_t value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    return value;
}

bool leap(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::optional<int32_t> make_date(std::string_view year, std::string_view month,
                                 std::string_view day) {
    if (!all_digits(year) || !all_digits(month) || !all_digits(day)) return std::nullopt;
    const int64_t y = digits_value(year);
    const int64_t m = digits_value(month);
    const int64_t d = digits_value(day);
    static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1) return std::nullopt;
    const int64_t month_days = kMonthDays[m - 1] + (m == 2 && leap(y) ? 1 : 0);
    if (d > month_days) return std::nullopt;
    return static_cast<int32_t>(days_from_civil(y, m, d));
}

} // namespace

std::optional<int32_t> parse_service_time(std::string_view text) {
    text = trim(text);
    const size_t first = text.find(':');
    if (first == std::string_view::npos || first == 0 || first > 5) return std::nullopt;
    if (text.size() != first + 6 || text[first + 3] != ':') return std::nullopt;
    const std::string_view hours = text.substr(0, first);
    const std::string_view minutes = text.substr(first + 1, 2);
    const std::string_view seconds = text.substr(first + 4, 2);
    if (!all_digits(hours) || !all_digits(minutes) || !all_digits(seconds)) return std::nullopt;
    const int64_t m = digits_value(minutes);
    const int64_t s = digits_value(seconds);
    if (m > 59 || s > 59) return std::nullopt;
    return static_cast<int32_t>(digits_value(hours) * 3600 + m * 60 + s);
}

std::string format_service_time(int32_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

std::optional<int32_t> parse_feed_date(std::string_view text) {
    text = trim(text);
    if (text.size() != 8) return std::nullopt;
    return make_date(text.substr(0, 4), text.substr(4, 2), text.substr(6, 2));
}

std::optional<int32_t> parse_iso_date(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    return make_date(text.substr(0, 4), text.substr(5, 2), text.substr(8, 2));
}

std::string format_iso_date(int32_t day) {
    const CivilDate date = civil_from_days(day);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", static_cast<long long>(date.year),
                  static_cast<long long>(date.month), static_cast<long long>(date.day));
    return text;
}

std::string format_utc(int64_t seconds) {
    const int64_t day = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    const int64_t in_day = seconds - day * 86400;
    const CivilDate date = civil_from_days(day);
    char text[96];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ",
                  static_cast<long long>(date.year), static_cast<long long>(date.month),
                  static_cast<long long>(date.day), static_cast<long long>(in_day / 3600),
                  static_cast<long long>(in_day / 60 % 60), static_cast<long long>(in_day % 60));
    return text;
}

int weekday_of(int32_t day) {
    // 1970-01-01 was a Thursday (3 when Monday is 0).
    return static_cast<int>(((static_cast<int64_t>(day) % 7) + 7 + 3) % 7);
}

} // namespace zintu::gtfs
