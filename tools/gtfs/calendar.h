// Which service runs on which date: the calendar tables of a feed, and the
// three days of one week that stand for the network's three service day types.
#pragma once

#include "feed.h"
#include "feed_source.h"
#include "table_fields.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zintu::gtfs {

// Reads calendar.txt and calendar_dates.txt (either may be missing, not both)
// into `services`, and indexes them by service_id.
void load_services(const FeedSource& source, std::vector<Service>& services, IdIndex& index);

// True when the service runs on `day`. A dated exception wins over the weekly
// pattern, whether it adds or removes the date.
bool runs_on(const Service& service, int32_t day);

// The days whose timetables make service day types 1, 2 and 3: the Wednesday,
// Saturday and Sunday of the week that starts on `monday`.
std::array<int32_t, 3> service_days_of_week(int32_t monday);

// Bit s - 1 is set when the service runs on the day of service day type s.
uint8_t service_day_mask(const Service& service, const std::array<int32_t, 3>& days);

} // namespace zintu::gtfs
