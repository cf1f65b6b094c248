// The week a network is made of: the current one when it has service on
// Wednesday, Saturday and Sunday, otherwise the first that has; a named week
// without it is refused with the nearest that has.
#include "gtfs_time.h"
#include "week_choice.h"

#include <gtest/gtest.h>

namespace zintu::gtfs {
namespace {

int32_t d(const char* iso) {
    return *parse_iso_date(iso);
}

// A weekly pattern from calendar.txt ("1111100": Monday to Friday), and
// dated exceptions (1 added, 2 removed).
Service weekly(const char* days, const char* first, const char* last,
               std::vector<std::pair<int32_t, uint8_t>> exceptions = {}) {
    uint8_t bits = 0;
    for (int i = 0; i < 7; ++i)
        bits |= static_cast<uint8_t>((days[i] == '1' ? 1u : 0u) << i);
    return {"S", true, bits, d(first), d(last), std::move(exceptions)};
}
Service dated(std::vector<std::pair<int32_t, uint8_t>> exceptions) {
    return {"D", false, 0, 0, 0, std::move(exceptions)};
}

const std::vector<Service> kYear = {weekly("1111111", "2026-01-01", "2026-12-31")};
// Weekdays and weekends apart, the weekend's Saturday 2026-09-19 taken out.
const std::vector<Service> kNoSaturday = {
    weekly("1111100", "2026-01-01", "2026-12-31"),
    weekly("0000011", "2026-01-01", "2026-12-31", {{d("2026-09-19"), 2}})};
// A summer and a winter timetable, none between them.
const std::vector<Service> kSeasons = {weekly("1111111", "2026-06-01", "2026-08-30"),
                                       weekly("1111111", "2026-10-05", "2026-12-31")};
// Only dates: a full week of 09-14, a Wednesday on 09-23, a full week of 10-05.
const std::vector<Service> kDates = {
    dated({{d("2026-09-16"), 1}, {d("2026-09-19"), 1}, {d("2026-09-20"), 1}, {d("2026-09-23"), 1}}),
    dated({{d("2026-10-07"), 1}, {d("2026-10-10"), 1}, {d("2026-10-11"), 1}})};
const std::vector<Service> kWeekdays = {weekly("1111100", "2026-01-01", "2026-12-31")};
const std::vector<Service> kSaturdays = {weekly("0000010", "2026-01-01", "2026-12-31")};
const std::vector<Service> kMondays = {weekly("1000000", "2026-01-01", "2026-12-31")};

std::vector<ServedWeeks> weeks_of(const std::vector<Service>& services) {
    std::vector<const Service*> pointers;
    for (const Service& service : services)
        pointers.push_back(&service);
    return served_weeks(pointers);
}

TEST(WeekChoice, ServedWeeksAreRunsOfTheSameDays) {
    const auto weeks = weeks_of(kNoSaturday);
    const std::vector<std::tuple<std::string, std::string, int>> expected = {
        {"2025-12-29", "2025-12-29", 0b110}, // from Thursday 2026-01-01: no Wednesday
        {"2026-01-05", "2026-09-07", 0b111},
        {"2026-09-14", "2026-09-14", 0b101},
        {"2026-09-21", "2026-12-21", 0b111},
        {"2026-12-28", "2026-12-28", 0b001}, // its weekend is in 2027
    };
    ASSERT_EQ(weeks.size(), expected.size());
    for (size_t i = 0; i < weeks.size(); ++i)
        EXPECT_EQ(std::make_tuple(format_iso_date(weeks[i].first_monday),
                                  format_iso_date(weeks[i].last_monday), int{weeks[i].days}),
                  expected[i])
            << i;
    EXPECT_EQ(monday_of(d("2026-09-20")), d("2026-09-14")); // a Sunday ends its week
    EXPECT_EQ(monday_of(d("1969-12-31")), d("1969-12-29"));
}

TEST(WeekChoice, TodayInsideOrOutsideTheCalendarsWithGapsAndDatesOnly) {
    using R = WeekChoice::Reason;
    const std::string nearest = "; the nearest week with service on Wednesday, Saturday and Sunday";
    const struct {
        const char* name;
        const std::vector<Service>& services;
        const char* today;
        const char* requested; // nullptr: none
        const char* monday;    // nullptr: an error
        R reason;
        std::string error;
    } cases[] = {
        {"inside", kYear, "2026-09-16", nullptr, "2026-09-14", R::Current, ""},
        {"on its Sunday", kYear, "2026-09-20", nullptr, "2026-09-14", R::Current, ""},
        {"on its Monday", kYear, "2026-09-21", nullptr, "2026-09-21", R::Current, ""},
        {"before", kYear, "2025-06-01", nullptr, "2026-01-05", R::First, ""},
        {"after", kYear, "2027-03-03", nullptr, "2026-01-05", R::First, ""},
        {"last full week", kYear, "2026-12-27", nullptr, "2026-12-21", R::Current, ""},
        {"asked", kYear, "2030-01-01", "2026-12-21", "2026-12-21", R::Requested, ""},
        {"asked after", kYear, "2026-09-16", "2026-12-28", nullptr, R::Requested,
         "--week 2026-12-28: no service on Saturday 2027-01-02 or Sunday 2027-01-03" + nearest +
             " is 2026-12-21"},
        {"gap of a day", kNoSaturday, "2026-09-16", nullptr, "2026-01-05", R::First, ""},
        {"gap of a day, asked", kNoSaturday, "2026-09-16", "2026-09-14", nullptr, R::Requested,
         "--week 2026-09-14: no service on Saturday 2026-09-19" + nearest +
             " is 2026-09-07"}, // as near as 09-21: the earlier
        {"between seasons", kSeasons, "2026-09-16", nullptr, "2026-06-01", R::First, ""},
        {"between seasons, asked", kSeasons, "2026-06-01", "2026-09-21", nullptr, R::Requested,
         "--week 2026-09-21: no service on Wednesday 2026-09-23, Saturday 2026-09-26 or Sunday "
         "2026-09-27" +
             nearest + " is 2026-10-05"},
        {"in the winter", kSeasons, "2026-11-11", nullptr, "2026-11-09", R::Current, ""},
        {"dates only", kDates, "2026-10-07", nullptr, "2026-10-05", R::Current, ""},
        {"dates only, a lone Wednesday", kDates, "2026-09-23", nullptr, "2026-09-14", R::First, ""},
        {"dates only, asked", kDates, "2026-09-23", "2026-09-21", nullptr, R::Requested,
         "--week 2026-09-21: no service on Saturday 2026-09-26 or Sunday 2026-09-27" + nearest +
             " is 2026-09-14"},
        // Without any week of all three days, Wednesdays; without those, any.
        {"weekdays only", kWeekdays, "2026-09-19", nullptr, "2026-09-14", R::Current, ""},
        {"weekdays only, asked", kWeekdays, "2026-09-19", "2027-01-04", nullptr, R::Requested,
         "--week 2027-01-04: no service on Wednesday 2027-01-06; the nearest week with service on "
         "Wednesday is 2026-12-28"},
        {"Saturdays only", kSaturdays, "2026-09-16", nullptr, "2026-09-14", R::Current, ""},
        {"Saturdays only, asked", kSaturdays, "2026-09-16", "2025-12-22", nullptr, R::Requested,
         "--week 2025-12-22: no service on Wednesday 2025-12-24, Saturday 2025-12-27 or Sunday "
         "2025-12-28; the nearest week with service is 2025-12-29"},
        {"Mondays only", kMondays, "2026-09-16", nullptr, nullptr, R::Requested,
         "the feeds' calendars have no service on any Wednesday, Saturday or Sunday"},
        {"no service",
         {},
         "2026-09-16",
         "2026-09-14",
         nullptr,
         R::Requested,
         "the feeds' calendars have no service on any Wednesday, Saturday or Sunday"},
    };
    for (const auto& c : cases) {
        const WeekChoice choice =
            choose_week(weeks_of(c.services), d(c.today),
                        c.requested ? std::optional(d(c.requested)) : std::nullopt);
        EXPECT_EQ(choice.error, c.error) << c.name;
        if (c.monday == nullptr) continue;
        EXPECT_EQ(format_iso_date(choice.monday), c.monday) << c.name;
        EXPECT_EQ(choice.reason, c.reason) << c.name;
    }
}

TEST(WeekChoice, TheChoiceInWords) {
    WeekChoice choice{d("2026-12-07"), 0b111, WeekChoice::Reason::Current, ""};
    EXPECT_EQ(describe_week(choice), "week of 2026-12-07 (the current week): Wednesday "
                                     "2026-12-09, Saturday 2026-12-12 and Sunday 2026-12-13");
    choice.days = 0b001;
    choice.reason = WeekChoice::Reason::First;
    EXPECT_EQ(describe_week(choice),
              "week of 2026-12-07 (the first with service in the feeds' calendars): Wednesday "
              "2026-12-09, Saturday 2026-12-12 and Sunday 2026-12-13; no service on Saturday "
              "2026-12-12 or Sunday 2026-12-13");
    choice.days = 0b110;
    choice.reason = WeekChoice::Reason::Requested;
    EXPECT_EQ(describe_week(choice).substr(0, 30), "week of 2026-12-07 (as asked):");
    EXPECT_NE(describe_week(choice).find("; no service on Wednesday 2026-12-09"),
              std::string::npos);
}

} // namespace
} // namespace zintu::gtfs
