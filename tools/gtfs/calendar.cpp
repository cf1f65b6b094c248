// Calendar tables and the dates a service runs on.
#include "calendar.h"

#include "feed_error.h"
#include "gtfs_time.h"

#include <algorithm>

namespace zintu::gtfs {
namespace {

constexpr const char* kWeekdayColumns[7] = {"monday", "tuesday",  "wednesday", "thursday",
                                            "friday", "saturday", "sunday"};

int32_t service_index(std::vector<Service>& services, IdIndex& index, std::string_view id) {
    const auto found = index.find(id);
    if (found != index.end()) return found->second;
    const auto position = static_cast<int32_t>(services.size());
    services.push_back(Service{std::string(id), false, 0, 0, 0, {}});
    index.emplace(std::string(id), position);
    return position;
}

void load_calendar(CsvReader reader, std::vector<Service>& services, IdIndex& index) {
    const int id_column = reader.required_column("service_id");
    int day_columns[7];
    for (int d = 0; d < 7; ++d)
        day_columns[d] = reader.required_column(kWeekdayColumns[d]);
    const int start_column = reader.required_column("start_date");
    const int end_column = reader.required_column("end_date");
    reader.for_each([&] {
        const std::string_view id = required_value(reader, id_column, "service_id");
        Service& service = services[static_cast<size_t>(service_index(services, index, id))];
        if (service.has_calendar) reader.fail("duplicate service_id " + quote_field(id));
        service.has_calendar = true;
        for (int d = 0; d < 7; ++d) {
            const std::string_view flag = reader.trimmed(day_columns[d]);
            if (flag != "0" && flag != "1")
                reader.fail(std::string(kWeekdayColumns[d]) + " " + quote_field(flag) +
                            " is neither 0 nor 1");
            if (flag == "1") service.weekdays |= static_cast<uint8_t>(1u << d);
        }
        service.start_day = date_value(reader, start_column, "start_date");
        service.end_day = date_value(reader, end_column, "end_date");
        if (service.end_day < service.start_day) reader.fail("end_date is before start_date");
    });
}

void load_calendar_dates(CsvReader reader, std::vector<Service>& services, IdIndex& index) {
    const int id_column = reader.required_column("service_id");
    const int date_column = reader.required_column("date");
    const int type_column = reader.required_column("exception_type");
    reader.for_each([&] {
        const std::string_view id = required_value(reader, id_column, "service_id");
        const int32_t day = date_value(reader, date_column, "date");
        const std::string_view type = reader.trimmed(type_column);
        if (type != "1" && type != "2")
            reader.fail("exception_type " + quote_field(type) + " is neither 1 nor 2");
        const auto kind = static_cast<uint8_t>(type == "1" ? 1 : 2);
        Service& service = services[static_cast<size_t>(service_index(services, index, id))];
        for (const auto& [other_day, other_kind] : service.exceptions) {
            if (other_day == day && other_kind != kind)
                reader.fail("service " + quote_field(id) +
                            " is both added and removed on the same date");
        }
        service.exceptions.emplace_back(day, kind);
    });
}

} // namespace

void load_services(const FeedSource& source, std::vector<Service>& services, IdIndex& index) {
    const bool has_calendar = source.has("calendar.txt");
    const bool has_dates = source.has("calendar_dates.txt");
    if (!has_calendar && !has_dates)
        throw FeedError(source.display_name("calendar.txt"), 0,
                        "missing: a feed needs calendar.txt, calendar_dates.txt or both");
    if (has_calendar) load_calendar(open_table(source, "calendar.txt"), services, index);
    if (has_dates) load_calendar_dates(open_table(source, "calendar_dates.txt"), services, index);
}

bool runs_on(const Service& service, int32_t day) {
    for (const auto& [exception_day, kind] : service.exceptions) {
        if (exception_day == day) return kind == 1;
    }
    if (!service.has_calendar || day < service.start_day || day > service.end_day) return false;
    return (service.weekdays >> weekday_of(day)) & 1u;
}

std::array<int32_t, 3> service_days_of_week(int32_t monday) {
    return {monday + 2, monday + 5, monday + 6};
}

uint8_t service_day_mask(const Service& service, const std::array<int32_t, 3>& days) {
    uint8_t mask = 0;
    for (size_t s = 0; s < days.size(); ++s) {
        if (runs_on(service, days[s])) mask |= static_cast<uint8_t>(1u << s);
    }
    return mask;
}

} // namespace zintu::gtfs
