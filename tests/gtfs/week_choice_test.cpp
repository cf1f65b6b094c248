// The week a network is made of: the current one with service on Wednesday,
// Saturday and Sunday, else the first; a named week without it is refused.
#include "gtfs_time.h"
#include "week_choice.h"

#include <gtest/gtest.h>

namespace zintu::gtfs {
namespace {

int32_t d(const char* iso) {
    return *parse_iso_date(iso);
}

// A weekly pattern ("1111100": Monday to Friday) with dated exceptions (1
// added, 2 removed); without a pattern, the dates alone.
Service service(const char* days, const char* first, const char* last,
                std::vector<std::pair<int32_t, uint8_t>> exceptions = {}) {
    uint8_t bits = 0;
    for (int i = 0; days != nullptr && i < 7; ++i)
        bits |= static_cast<uint8_t>((days[i] == '1' ? 1u : 0u) << i);
    return {"S", days != nullptr, bits, d(first), d(last), std::move(exceptions)};
}

const std::vector<Service> kYear = {service("1111111", "2026-01-01", "2026-12-31")};
// Weekdays and weekends apart, from Thursday and Saturday 2026-01-01 and -03;
// the weekend's Saturday 2026-09-19 taken out, and the weekday service's
// Wednesday 2026-01-07 (its first) and 2027-01-06 (after its end).
const std::vector<Service> kNoSaturday = {
    service("1111100", "2026-01-01", "2026-12-31", {{d("2026-01-07"), 2}, {d("2027-01-06"), 2}}),
    service("0000011", "2026-01-03", "2026-12-31", {{d("2026-09-19"), 2}})};
// A summer and a winter timetable, none between them; the winter's in two
// halves that meet on Sunday 2026-11-15.
const std::vector<Service> kSeasons = {service("1111111", "2026-06-01", "2026-08-30"),
                                       service("1111111", "2026-10-05", "2026-11-15"),
                                       service("1111111", "2026-11-16", "2026-12-31")};
// Only dates: the whole week of 09-14, a Wednesday 09-23, the whole week of 10-05.
const std::vector<Service> kDates = {
    service(
        nullptr, "1970-01-01", "1970-01-01",
        {{d("2026-09-16"), 1}, {d("2026-09-19"), 1}, {d("2026-09-20"), 1}, {d("2026-09-23"), 1}}),
    service(nullptr, "1970-01-01", "1970-01-01",
            {{d("2026-10-07"), 1}, {d("2026-10-10"), 1}, {d("2026-10-11"), 1}})};
const std::vector<Service> kWeekdays = {service("1111100", "2026-01-01", "2026-12-31")};
const std::vector<Service> kSaturdays = {service("0000010", "2026-01-01", "2026-12-31")};
const std::vector<Service> kMondays = {service("1000000", "2026-01-01", "2026-12-31")};

std::vector<ServedWeeks> weeks_of(const std::vector<Service>& services) {
    std::vector<const Service*> pointers;
    for (const Service& s : services)
        pointers.push_back(&s);
    return served_weeks(pointers);
}

std::string runs_of(const std::vector<Service>& services) {
    std::string runs;
    for (const ServedWeeks& w : weeks_of(services))
        runs += format_iso_date(w.first_monday) + ".." + format_iso_date(w.last_monday) + ":" +
                std::to_string(w.days) + " ";
    return runs;
}

TEST(WeekChoice, ServedWeeksAreRunsOfTheSameDays) {
    // To the week whose weekend is in 2027.
    EXPECT_EQ(runs_of(kNoSaturday), "2025-12-29..2026-01-05:6 2026-01-12..2026-09-07:7 "
                                    "2026-09-14..2026-09-14:5 2026-09-21..2026-12-21:7 "
                                    "2026-12-28..2026-12-28:1 ");
    EXPECT_EQ(runs_of(kSeasons), "2026-06-01..2026-08-24:7 2026-10-05..2026-12-21:7 "
                                 "2026-12-28..2026-12-28:1 ");
    EXPECT_EQ(monday_of(d("2026-09-20")), d("2026-09-14")); // a Sunday ends its week
    EXPECT_EQ(monday_of(d("1969-12-31")), d("1969-12-29"));
    EXPECT_EQ(monday_of(d("1969-12-22")), d("1969-12-22"));
}

// Today is the network's own date, which may differ from UTC's by a day.
TEST(WeekChoice, TodayIsTheDateInTheNetworksZone) {
    const char* cet = "CET-1CEST,M3.5.0,M10.5.0/3";
    const std::tuple<int64_t, const char*, const char*> cases[] = {
        {1789343999, "UTC0", "2026-09-13"},
        {1789343999, cet, "2026-09-14"},
        {1789344000, "EST5EDT,M3.2.0,M11.1.0", "2026-09-13"},
        {-1, "not a rule", "1969-12-31"},
        {-86400, "UTC0", "1969-12-31"},
        {0, "UTC0", "1970-01-01"}};
    for (const auto& [epoch, rule, date] : cases)
        EXPECT_EQ(format_iso_date(local_date(epoch, rule)), date) << epoch << " " << rule;
}

TEST(WeekChoice, TodayInsideOrOutsideTheCalendarsWithGapsAndDatesOnly) {
    using R = WeekChoice::Reason;
    const std::string all = "; the nearest week with service on Wednesday, Saturday and Sunday";
    const std::string none = "the feeds' calendars have no service on any Wednesday, Saturday or "
                             "Sunday";
    // Today, the week asked for (or none), and the week chosen (or none, and the error).
    // clang-format off
    const struct {
        const std::vector<Service>& services;
        const char* today; const char* asked; const char* monday; R reason; std::string error;
    } cases[] = {
        {kYear, "2026-09-16", nullptr, "2026-09-14", R::Current, ""},
        {kYear, "2025-06-01", nullptr, "2026-01-05", R::First, ""}, // before the calendar
        {kYear, "2027-03-03", nullptr, "2026-01-05", R::First, ""}, // after it
        {kYear, "2026-12-27", nullptr, "2026-12-21", R::Current, ""},
        {kYear, "2030-01-01", "2026-12-21", "2026-12-21", R::Requested, ""},
        {kYear, "2026-09-16", "2026-12-28", nullptr, R::Requested,
         "--week 2026-12-28: no service on Saturday 2027-01-02 or Sunday 2027-01-03" + all + " is 2026-12-21"},
        {kNoSaturday, "2026-09-16", nullptr, "2026-01-12", R::First, ""},
        {kNoSaturday, "2026-09-16", "2026-09-14", nullptr, R::Requested, // 09-07 and 09-21 as near
         "--week 2026-09-14: no service on Saturday 2026-09-19" + all + " is 2026-09-07"},
        {kSeasons, "2026-09-16", nullptr, "2026-06-01", R::First, ""},
        {kSeasons, "2026-11-11", nullptr, "2026-11-09", R::Current, ""},
        {kSeasons, "2026-06-01", "2026-09-21", nullptr, R::Requested,
         "--week 2026-09-21: no service on Wednesday 2026-09-23, Saturday 2026-09-26 or Sunday "
         "2026-09-27" + all + " is 2026-10-05"},
        {kDates, "2026-10-07", nullptr, "2026-10-05", R::Current, ""},
        {kDates, "2026-09-23", nullptr, "2026-09-14", R::First, ""}, // a lone Wednesday
        {kDates, "2026-09-23", "2026-09-21", nullptr, R::Requested,
         "--week 2026-09-21: no service on Saturday 2026-09-26 or Sunday 2026-09-27" + all + " is 2026-09-14"},
        // Without any week of all three days, Wednesdays; without those, any week.
        {kWeekdays, "2026-09-19", nullptr, "2026-09-14", R::Current, ""},
        {kWeekdays, "2026-09-19", "2027-01-04", nullptr, R::Requested,
         "--week 2027-01-04: no service on Wednesday 2027-01-06; the nearest week with service on "
         "Wednesday is 2026-12-28"},
        {kSaturdays, "2026-09-16", nullptr, "2026-09-14", R::Current, ""},
        {kSaturdays, "2026-09-16", "2025-12-22", nullptr, R::Requested,
         "--week 2025-12-22: no service on Wednesday 2025-12-24, Saturday 2025-12-27 or Sunday "
         "2025-12-28; the nearest week with service is 2025-12-29"},
        {kMondays, "2026-09-16", nullptr, nullptr, R::Requested, none},
        {{}, "2026-09-16", "2026-09-14", nullptr, R::Requested, none},
    };
    // clang-format on
    for (const auto& c : cases) {
        const WeekChoice choice = choose_week(weeks_of(c.services), d(c.today),
                                              c.asked ? std::optional(d(c.asked)) : std::nullopt);
        const auto name = std::string(c.today) + " " + (c.asked ? c.asked : "-");
        EXPECT_EQ(choice.error, c.error) << name;
        if (c.monday == nullptr) continue;
        EXPECT_EQ(format_iso_date(choice.monday), c.monday) << name;
        EXPECT_EQ(choice.reason, c.reason) << name;
    }
}

TEST(WeekChoice, TheChoiceInWords) {
    const std::string days = "Wednesday 2026-12-09, Saturday 2026-12-12 and Sunday 2026-12-13";
    const std::pair<WeekChoice, std::string> cases[] = {
        {{d("2026-12-07"), 0b111, WeekChoice::Reason::Current, ""},
         "week of 2026-12-07 (the current week): " + days},
        {{d("2026-12-07"), 0b001, WeekChoice::Reason::First, ""},
         "week of 2026-12-07 (the first with service in the feeds' calendars): " + days +
             "; no service on Saturday 2026-12-12 or Sunday 2026-12-13"},
        {{d("2026-12-07"), 0b110, WeekChoice::Reason::Requested, ""},
         "week of 2026-12-07 (as asked): " + days + "; no service on Wednesday 2026-12-09"},
    };
    for (const auto& [choice, text] : cases)
        EXPECT_EQ(describe_week(choice), text);
}

} // namespace
} // namespace zintu::gtfs
