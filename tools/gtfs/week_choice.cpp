// Weeks with service, as runs of week numbers per day, and the choice among them.
#include "week_choice.h"

#include "gtfs_time.h"
#include "network/tz_rule.h"

#include <algorithm>

namespace zintu::gtfs {
namespace {

// Week n runs from Monday 7n - 3 (1970-01-01 was a Thursday) to Sunday 7n + 3.
int64_t week_of(int64_t day) {
    const int64_t shifted = day + 3;
    return shifted >= 0 ? shifted / 7 : -((-shifted + 6) / 7);
}
int64_t monday_of_week(int64_t week) {
    return 7 * week - 3;
}

// Wednesday, Saturday and Sunday: days after Monday, and their calendar.txt bit.
constexpr int kOffsets[3] = {2, 5, 6};
constexpr const char* kDayNames[3] = {"Wednesday", "Saturday", "Sunday"};

struct Span {
    int64_t first;
    int64_t last;
};

// The weeks in which `service` runs on the day `offset` days after Monday.
void add_spans(const Service& service, int offset, std::vector<Span>& spans) {
    std::vector<int64_t> removed;
    for (const auto& [day, kind] : service.exceptions) {
        if (weekday_of(day) != offset) continue;
        if (kind == 1) {
            spans.push_back({week_of(day), week_of(day)});
        } else {
            removed.push_back(week_of(day));
        }
    }
    if (!service.has_calendar || !((service.weekdays >> offset) & 1u)) return;
    // The first and last week whose day lies within start_day..end_day.
    int64_t first = week_of(int64_t{service.start_day} - offset);
    if (monday_of_week(first) + offset < service.start_day) ++first;
    const int64_t last = week_of(int64_t{service.end_day} - offset);
    std::sort(removed.begin(), removed.end());
    for (int64_t week : removed) {
        if (week < first || week > last) continue;
        spans.push_back({first, week - 1}); // empty when the first week is removed
        first = week + 1;
    }
    spans.push_back({first, last});
}

// Sorted, with overlapping and adjacent spans joined and empty ones left out.
std::vector<Span> joined(std::vector<Span> spans) {
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.first < b.first; });
    std::vector<Span> out;
    for (const Span& span : spans) {
        if (span.first > span.last) continue;
        if (!out.empty() && span.first <= out.back().last + 1) {
            out.back().last = std::max(out.back().last, span.last);
        } else {
            out.push_back(span);
        }
    }
    return out;
}

std::string day_list(uint8_t days, int32_t monday, const char* last_joint) {
    std::vector<std::string> names;
    for (int s = 0; s < 3; ++s) {
        if ((days >> s) & 1u)
            names.push_back(std::string(kDayNames[s]) + " " +
                            format_iso_date(monday + kOffsets[s]));
    }
    std::string out;
    for (size_t i = 0; i < names.size(); ++i)
        out += (i == 0 ? "" : i + 1 == names.size() ? last_joint : ", ") + names[i];
    return out;
}

} // namespace

int32_t local_date(int64_t epoch, std::string_view tz_rule) {
    const auto rule = parse_tz_rule(tz_rule);
    const int64_t local = epoch + (rule ? utc_offset_at(*rule, epoch) : 0);
    return static_cast<int32_t>(local >= 0 ? local / 86400 : -((-local + 86399) / 86400));
}

int32_t monday_of(int32_t day) {
    return static_cast<int32_t>(monday_of_week(week_of(day)));
}

std::vector<ServedWeeks> served_weeks(const std::vector<const Service*>& services) {
    std::vector<Span> by_day[3];
    std::vector<int64_t> bounds;
    for (int s = 0; s < 3; ++s) {
        std::vector<Span> spans;
        for (const Service* service : services)
            add_spans(*service, kOffsets[s], spans);
        by_day[s] = joined(std::move(spans));
        for (const Span& span : by_day[s]) {
            bounds.push_back(span.first);
            bounds.push_back(span.last + 1);
        }
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    // Between two bounds, every week has service on the same days; and as the
    // spans of each day are joined, the days change at every bound.
    std::vector<ServedWeeks> out;
    size_t next[3] = {0, 0, 0};
    for (size_t b = 0; b + 1 < bounds.size(); ++b) {
        const int64_t week = bounds[b];
        uint8_t days = 0;
        for (int s = 0; s < 3; ++s) {
            const std::vector<Span>& spans = by_day[s];
            while (next[s] < spans.size() && spans[next[s]].last < week)
                ++next[s];
            if (next[s] < spans.size() && spans[next[s]].first <= week)
                days |= static_cast<uint8_t>(1u << s);
        }
        if (days == 0) continue;
        out.push_back({static_cast<int32_t>(monday_of_week(week)),
                       static_cast<int32_t>(monday_of_week(bounds[b + 1] - 1)), days});
    }
    return out;
}

WeekChoice choose_week(const std::vector<ServedWeeks>& weeks, int32_t today,
                       std::optional<int32_t> requested) {
    WeekChoice choice;
    if (weeks.empty()) {
        choice.error = "the feeds' calendars have no service on any Wednesday, Saturday or Sunday";
        return choice;
    }
    bool any_full = false, any_wednesday = false;
    for (const ServedWeeks& run : weeks) {
        any_full = any_full || run.days == 0b111;
        any_wednesday = any_wednesday || (run.days & 1u) != 0;
    }
    // The days a week must have service on.
    const uint8_t wanted = any_full ? 0b111 : any_wednesday ? 0b001 : 0b000;
    const auto qualifies = [&](const ServedWeeks& run) { return (run.days & wanted) == wanted; };
    const int32_t asked = requested ? *requested : monday_of(today);
    const auto run = std::find_if(weeks.begin(), weeks.end(), [&](const ServedWeeks& r) {
        return asked >= r.first_monday && asked <= r.last_monday;
    });
    if (run != weeks.end() && qualifies(*run)) {
        choice.monday = asked;
        choice.days = run->days;
        choice.reason = requested ? WeekChoice::Reason::Requested : WeekChoice::Reason::Current;
        return choice;
    }
    if (!requested) {
        const ServedWeeks& first = *std::find_if(weeks.begin(), weeks.end(), qualifies);
        choice.monday = first.first_monday;
        choice.days = first.days;
        choice.reason = WeekChoice::Reason::First;
        return choice;
    }
    int32_t nearest = 0;
    int64_t distance = -1;
    for (const ServedWeeks& candidate : weeks) {
        if (!qualifies(candidate)) continue;
        const int32_t monday = std::clamp(asked, candidate.first_monday, candidate.last_monday);
        const int64_t gap = std::abs(int64_t{monday} - asked);
        if (distance < 0 || gap < distance) {
            nearest = monday;
            distance = gap;
        }
    }
    const uint8_t served = run != weeks.end() ? run->days : 0;
    const uint8_t missing = wanted == 0 ? 0b111 : static_cast<uint8_t>(wanted & ~served);
    const char* needed = wanted == 0b111   ? " on Wednesday, Saturday and Sunday"
                         : wanted == 0b001 ? " on Wednesday"
                                           : "";
    choice.error = "--week " + format_iso_date(asked) + ": no service on " +
                   day_list(missing, asked, " or ") + "; the nearest week with service" + needed +
                   " is " + format_iso_date(nearest);
    return choice;
}

std::string describe_week(const WeekChoice& choice) {
    const char* reasons[] = {"as asked", "the current week",
                             "the first with service in the feeds' calendars"};
    std::string out = "week of " + format_iso_date(choice.monday) + " (" +
                      reasons[static_cast<int>(choice.reason)] +
                      "): " + day_list(0b111, choice.monday, " and ");
    const auto missing = static_cast<uint8_t>(~choice.days & 0b111);
    if (missing != 0) out += "; no service on " + day_list(missing, choice.monday, " or ");
    return out;
}

} // namespace zintu::gtfs
