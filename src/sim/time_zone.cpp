// A clock's time zone: the network's rule or the machine's local time, and the
// conversions between instants and wall-clock times in it.
#include "sim/time_zone.h"

#include "network/civil_date.h"

#include <algorithm>

namespace zintu {
namespace {

constexpr int64_t kDay = 86400;

int64_t floor_div(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::optional<int64_t> rule_to_epoch(const TzRule& rule, int64_t local) {
    const auto fits = [&](int32_t offset) {
        bool dst = false;
        return utc_offset_at(rule, local - offset, &dst) == offset;
    };
    const int64_t as_std = local - rule.std_offset;
    if (!rule.has_dst) return as_std;
    const int64_t as_dst = local - rule.dst_offset;
    const bool std_fits = fits(rule.std_offset);
    const bool dst_fits = fits(rule.dst_offset);
    if (std_fits && dst_fits) return std::min(as_std, as_dst);
    if (std_fits) return as_std;
    if (dst_fits) return as_dst;
    // Skipped by the change: read with the smaller offset, the one before it.
    return local - std::min(rule.std_offset, rule.dst_offset);
}

} // namespace

TimeZone time_zone_of(std::string_view tz_rule) {
    return TimeZone{tz_rule.empty() ? std::nullopt : parse_tz_rule(tz_rule)};
}

bool to_zone_time(const TimeZone& zone, int64_t epoch, std::tm& out) {
    if (!zone.rule) {
        const auto t = static_cast<std::time_t>(epoch);
#ifdef _WIN32
        return localtime_s(&out, &t) == 0;
#else
        return localtime_r(&t, &out) != nullptr;
#endif
    }
    bool dst = false;
    const int64_t local = epoch + utc_offset_at(*zone.rule, epoch, &dst);
    const int64_t days = floor_div(local, kDay);
    const int64_t of_day = local - days * kDay;
    const CivilDate date = civil_from_days(days);
    out = std::tm{};
    out.tm_year = static_cast<int>(date.year - 1900);
    out.tm_mon = static_cast<int>(date.month - 1);
    out.tm_mday = static_cast<int>(date.day);
    out.tm_hour = static_cast<int>(of_day / 3600);
    out.tm_min = static_cast<int>(of_day / 60 % 60);
    out.tm_sec = static_cast<int>(of_day % 60);
    out.tm_wday = static_cast<int>(((days % 7) + 7 + 4) % 7);
    out.tm_yday = static_cast<int>(days - days_from_civil(date.year, 1, 1));
    out.tm_isdst = dst ? 1 : 0;
    return true;
}

std::optional<int64_t> from_zone_time(const TimeZone& zone, const CivilTime& civil) {
    if (zone.rule) {
        const int64_t local = days_from_civil(civil.year, civil.month, civil.day) * kDay +
                              civil.hour * 3600 + civil.minute * 60 + civil.second;
        return rule_to_epoch(*zone.rule, local);
    }
    std::tm local{};
    local.tm_year = civil.year - 1900;
    local.tm_mon = civil.month - 1;
    local.tm_mday = civil.day;
    local.tm_hour = civil.hour;
    local.tm_min = civil.minute;
    local.tm_sec = civil.second;
    local.tm_isdst = -1;
    const std::time_t t = std::mktime(&local);
    if (t == static_cast<std::time_t>(-1)) return std::nullopt;
    return static_cast<int64_t>(t);
}

} // namespace zintu
