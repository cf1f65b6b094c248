// The Markdown report written beside the generated tables: what went in, the
// scale of the tables, and how faithfully they reproduce the real timetable.
#pragma once

#include "generator.h"

#include <string>

namespace zintu::gtfs {

std::string write_report(const Generated& generated, const BandingLimits& limits);

// The largest differences between the vehicles on the road and the timetable.
std::string on_road_headline(const Fidelity& fidelity);

// 1234567 as "1,234,567".
std::string with_commas(int64_t value);

} // namespace zintu::gtfs
