// The checks of a whole network, in the order a reader would want its first
// fault: table sizes, shapes, header, weekday map, rows, styles, metadata,
// work.
#include "network/network_check.h"

#include "network/civil_date.h"
#include "network/route_kinds.h"
#include "network/tz_rule.h"
#include "network/utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>
#include <vector>

namespace zintu {
namespace {

using std::to_string;

std::string outside(const std::string& what, int64_t value, int64_t low, int64_t high) {
    return what + " " + to_string(value) + " is outside " + to_string(low) + " to " +
           to_string(high);
}

bool within(int64_t value, int64_t low, int64_t high) {
    return value >= low && value <= high;
}

int32_t count_stops(const ShapeEntry& shape) {
    int32_t stops = 0;
    for (int32_t i = 0; i < shape.shape_size; ++i)
        stops += shape.points[i].stop_id != 0 ? 1 : 0;
    return stops;
}

std::string check_point(const ShapePoint& p, const ShapePoint* previous, int32_t index) {
    const std::string at = "point " + to_string(index);
    if (!within(p.y, -kMaxCoordinate, kMaxCoordinate) ||
        !within(p.x, -kMaxCoordinate, kMaxCoordinate))
        return at + " (" + to_string(p.x) + ", " + to_string(p.y) + ") lies outside ±" +
               to_string(kMaxCoordinate);
    if (p.stop_id < 0) return at + ": stop_id " + to_string(p.stop_id) + " is negative";
    if (!std::isfinite(p.dist) || p.dist < 0.0 || p.dist > kMaxDist)
        return at + ": dist is not a number from 0 to " + to_string(static_cast<int64_t>(kMaxDist));
    if (previous == nullptr && p.dist != 0.0) return "dist does not start at 0";
    if (previous != nullptr && p.dist < previous->dist)
        return "dist decreases at point " + to_string(index);
    return {};
}

// Every entry's points, and entry 0 empty so that shape id 0 means no shape.
std::string check_shapes(const Network& network) {
    int64_t total = 0;
    for (int32_t id = 0; id < network.shape_count; ++id) {
        const ShapeEntry& shape = network.shapes[id];
        const std::string name = "shape " + to_string(id);
        if (shape.shape_size < 0) return name + ": " + to_string(shape.shape_size) + " points";
        if (shape.shape_size == 0) continue;
        if (id == 0) return "shape 0 is not empty (shape id 0 stands for no shape)";
        total += shape.shape_size;
        if (total > kMaxShapePoints)
            return "the shapes have more than " + to_string(kMaxShapePoints) + " points";
        for (int32_t i = 0; i < shape.shape_size; ++i) {
            const std::string fault =
                check_point(shape.points[i], i == 0 ? nullptr : &shape.points[i - 1], i);
            if (!fault.empty()) return name + ": " + fault;
        }
        // The last dist divides every stop's fraction of the run.
        if (!(shape.points[shape.shape_size - 1].dist > 0.0))
            return name + ": the last dist is not above 0";
    }
    return {};
}

// The bounds are the extremes of every point; spans and centres derive from
// them, the centre rounded toward negative infinity.
std::string check_header(const Network& network) {
    int32_t y_max = std::numeric_limits<int32_t>::min();
    int32_t y_min = std::numeric_limits<int32_t>::max();
    int32_t x_max = y_max;
    int32_t x_min = y_min;
    for (int32_t id = 0; id < network.shape_count; ++id) {
        const ShapeEntry& shape = network.shapes[id];
        for (int32_t i = 0; i < shape.shape_size; ++i) {
            y_max = std::max(y_max, shape.points[i].y);
            y_min = std::min(y_min, shape.points[i].y);
            x_max = std::max(x_max, shape.points[i].x);
            x_min = std::min(x_min, shape.points[i].x);
        }
    }
    if (y_max < y_min) return "no shape has a point";
    const NetworkHeader& h = *network.header;
    const struct {
        const char* field;
        int32_t value;
        int64_t expected;
    } fields[] = {
        {"y_max", h.y_max, y_max},
        {"y_min", h.y_min, y_min},
        {"x_max", h.x_max, x_max},
        {"x_min", h.x_min, x_min},
        {"y_span", h.y_span, int64_t{y_max} - y_min},
        {"x_span", h.x_span, int64_t{x_max} - x_min},
        {"y_center", h.y_center, (int64_t{y_min} + y_max) >> 1},
        {"x_center", h.x_center, (int64_t{x_min} + x_max) >> 1},
    };
    for (const auto& f : fields) {
        if (f.value != f.expected)
            return std::string("header: ") + f.field + " is " + to_string(f.value) +
                   ", the shape points give " + to_string(f.expected);
    }
    return {};
}

std::string check_weekdays(const Network& network) {
    for (int day = 0; day < 7; ++day) {
        const int32_t list = network.weekday_service_map[day];
        if (!within(list, 0, 2))
            return "weekday " + to_string(day) + " names run list " + to_string(list) +
                   "; the lists are 0, 1 and 2";
    }
    return {};
}

std::string check_rows(const Network& network, const std::vector<int32_t>& stops) {
    for (int32_t i = 0; i < network.header->frequency_count; ++i) {
        const FrequencyRow& r = network.frequencies[i];
        const std::string name = "frequency row " + to_string(i) + ": ";
        if (!within(r.service_id, 1, 3))
            return name + "service_id " + to_string(r.service_id) + " is not 1, 2 or 3";
        const struct {
            const char* field;
            int32_t value;
            int32_t low;
        } times[] = {{"headway", r.headway, 1},
                     {"run_time", r.run_time, 0},
                     {"start_time", r.start_time, 0},
                     {"end_time", r.end_time, 0}};
        for (const auto& t : times) {
            if (!within(t.value, t.low, kMaxServiceTime))
                return name + outside(t.field, t.value, t.low, kMaxServiceTime);
        }
        if (!within(r.shape_id, 1, network.shape_count - 1))
            return name + "shape_id " + to_string(r.shape_id) + " is outside the shape table";
        if (stops[static_cast<size_t>(r.shape_id)] == 0)
            return name + "shape " + to_string(r.shape_id) + " has no stop point";
    }
    return {};
}

// Each style's colour, kind and route, and one kind per route: the count of
// routes by kind would otherwise depend on which shape came first.
std::string check_styles(const Network& network) {
    if (network.shape_styles == nullptr) return {};
    std::vector<int32_t> first_shape(static_cast<size_t>(network.shape_count), -1);
    for (int32_t id = 0; id < network.shape_count; ++id) {
        const ShapeStyle& style = network.shape_styles[id];
        const std::string name = "shape " + to_string(id) + ": ";
        if (style.colour != kNoRouteColour && style.colour > 0xFFFFFFu) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%X", style.colour);
            return name + "colour " + hex + " is neither 0xRRGGBB nor none";
        }
        if (!route_kind_of(static_cast<int64_t>(style.kind)))
            return name + "route kind " + to_string(static_cast<int>(style.kind)) +
                   " is not one this program knows";
        if (!within(style.route, 0, network.shape_count - 1))
            return name + outside("route", style.route, 0, network.shape_count - 1);
        if (style.route == 0) continue;
        int32_t& first = first_shape[static_cast<size_t>(style.route)];
        if (first < 0) {
            first = id;
        } else if (network.shape_styles[first].kind != style.kind) {
            return name + "route " + to_string(style.route) + " has kind " +
                   std::string(route_kind_name(style.kind)) + " here and " +
                   std::string(route_kind_name(network.shape_styles[first].kind)) + " at shape " +
                   to_string(first);
        }
    }
    return {};
}

// True when `week` is empty or a Monday written "YYYY-MM-DD".
bool is_monday_text(std::string_view week) {
    if (week.empty()) return true;
    if (week.size() != 10 || week[4] != '-' || week[7] != '-') return false;
    int64_t parts[3] = {};
    const size_t starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (size_t p = 0; p < 3; ++p) {
        for (size_t i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            if (week[i] < '0' || week[i] > '9') return false;
            parts[p] = parts[p] * 10 + (week[i] - '0');
        }
    }
    if (parts[1] < 1 || parts[1] > 12 || parts[2] < 1) return false;
    const int64_t day = days_from_civil(parts[0], parts[1], parts[2]);
    const CivilDate back = civil_from_days(day);
    // 1970-01-01 (day 0) was a Thursday: Mondays are 4 days on from it.
    const int64_t weekday = ((day % 7) + 7 + 3) % 7; // 0 Monday
    return back.month == parts[1] && back.day == parts[2] && weekday == 0;
}

// Empty when `text` is well-formed UTF-8 without control characters.
std::string text_fault(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const CodePoint c = next_code_point(text, i);
        if (c.length == 0) return "not UTF-8 at byte " + to_string(i);
        if (is_control(c.code)) return "control character at byte " + to_string(i);
        i += c.length;
    }
    return {};
}

std::string check_info(const NetworkInfo& info) {
    if (!within(info.downtown_x, -kMaxCoordinate, kMaxCoordinate) ||
        !within(info.downtown_y, -kMaxCoordinate, kMaxCoordinate))
        return "the downtown point (" + to_string(info.downtown_x) + ", " +
               to_string(info.downtown_y) + ") lies outside ±" + to_string(kMaxCoordinate);
    const struct {
        const char* field;
        std::string_view text;
        size_t limit;
    } texts[] = {{"name", info.name, kMaxNameBytes},
                 {"time_zone", info.time_zone, kMaxTimeZoneBytes},
                 {"tz_rule", info.tz_rule, kMaxTzRuleBytes},
                 {"source", info.source, kMaxSourceBytes},
                 {"generated", info.generated, kMaxGeneratedBytes},
                 {"summary", info.summary, kMaxSummaryBytes},
                 {"week", info.week, kMaxWeekBytes}};
    for (const auto& t : texts) {
        if (t.text.size() > t.limit)
            return std::string(t.field) + ": " + to_string(t.text.size()) + " bytes, more than " +
                   to_string(t.limit);
        const std::string fault = text_fault(t.text);
        if (!fault.empty()) return std::string(t.field) + ": " + fault;
    }
    // A rule the clock cannot read would show the city at the machine's time.
    if (!info.tz_rule.empty() && !parse_tz_rule(info.tz_rule))
        return "tz_rule: not a POSIX TZ rule this program reads";
    if (!is_monday_text(info.week)) return "week: not a Monday written YYYY-MM-DD";
    return {};
}

// Line colours need each shape's colour and kind.
std::string check_colours(const Network& network) {
    const auto colours = static_cast<int>(network.info.colours);
    if (colours != static_cast<int>(NetworkColours::Featured) &&
        colours != static_cast<int>(NetworkColours::Lines))
        return "colours " + to_string(colours) + " is neither featured (0) nor lines (1)";
    if (network.info.colours == NetworkColours::Lines && network.shape_styles == nullptr)
        return "colours: lines, but the shapes have no styles";
    return {};
}

std::vector<int32_t> stop_counts(const Network& network) {
    std::vector<int32_t> stops(static_cast<size_t>(network.shape_count));
    for (int32_t id = 0; id < network.shape_count; ++id)
        stops[static_cast<size_t>(id)] = count_stops(network.shapes[id]);
    return stops;
}

NetworkWork work_of(const Network& network, const std::vector<int32_t>& stops) {
    NetworkWork work;
    for (int32_t i = 0; i < network.header->frequency_count; ++i) {
        const FrequencyRow& r = network.frequencies[i];
        // The run builder's own test: only 0 < start_time < end_time yields runs.
        if (r.start_time <= 0 || r.end_time <= r.start_time) continue;
        const int64_t departures = (int64_t{r.end_time} - r.start_time + r.headway - 1) / r.headway;
        work.runs += departures;
        work.stop_timings += departures * stops[static_cast<size_t>(r.shape_id)];
    }
    return work;
}

} // namespace

NetworkWork network_work(const Network& network) {
    return work_of(network, stop_counts(network));
}

std::string check_network(const Network& network) {
    const int32_t rows = network.header->frequency_count;
    if (!within(rows, 0, kMaxFrequencyRows))
        return outside("frequency_count", rows, 0, kMaxFrequencyRows);
    if (!within(network.shape_count, 1, kMaxShapeEntries))
        return outside("shape_count", network.shape_count, 1, kMaxShapeEntries);
    std::string fault = check_shapes(network);
    if (fault.empty()) fault = check_header(network);
    if (fault.empty()) fault = check_weekdays(network);
    if (!fault.empty()) return fault;
    const std::vector<int32_t> stops = stop_counts(network);
    fault = check_rows(network, stops);
    if (fault.empty()) fault = check_styles(network);
    if (fault.empty()) fault = check_info(network.info);
    if (fault.empty()) fault = check_colours(network);
    if (!fault.empty()) return fault;
    const NetworkWork work = work_of(network, stops);
    if (work.runs > kMaxRuns)
        return "the rows make " + to_string(work.runs) + " runs, more than " + to_string(kMaxRuns);
    if (work.stop_timings > kMaxStopTimings)
        return "the rows make " + to_string(work.stop_timings) + " stop timings, more than " +
               to_string(kMaxStopTimings);
    return {};
}

} // namespace zintu
