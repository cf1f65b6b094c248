// Report text. Everything in it follows from the input, so the same feeds give
// the same report byte for byte.
#include "report.h"

#include "gtfs_time.h"
#include "id_assignment.h"
#include "source_writer.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace zintu::gtfs {
namespace {

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string n(int64_t value) {
    return with_commas(value);
}

template <typename T>
struct Range {
    T low{};
    T high{};
    bool any = false;
    void add(T value) {
        low = any ? std::min(low, value) : value;
        high = any ? std::max(high, value) : value;
        any = true;
    }
};

void scale_of_rows(const Generated& g, std::string& out) {
    const auto& rows = g.tables.rows;
    std::array<int64_t, 3> per_service{};
    Range<int32_t> headway, run_time, start, end;
    Range<int64_t> departures;
    std::map<int32_t, int64_t> headways;
    int64_t end_after = 0, start_after = 0, empty = 0, total_departures = 0;
    for (const TableRow& entry : rows) {
        const FrequencyRow& r = entry.row;
        ++per_service[static_cast<size_t>(r.service_id - 1)];
        headway.add(r.headway);
        ++headways[r.headway];
        run_time.add(r.run_time);
        start.add(r.start_time);
        end.add(r.end_time);
        end_after += r.end_time > 86400;
        start_after += r.start_time >= 86400;
        empty += r.start_time == r.end_time;
        // In 64 bits: a headway near the top of int32 would overflow the sum.
        const int64_t count =
            (static_cast<int64_t>(r.end_time) - r.start_time + r.headway - 1) / r.headway;
        departures.add(count);
        total_departures += count;
    }
    int32_t common = 0;
    int64_t common_count = -1;
    for (const auto& [value, count] : headways) {
        if (count > common_count) {
            common = value;
            common_count = count;
        }
    }
    out += "- " + n(static_cast<int64_t>(rows.size())) + " frequency rows: " + n(per_service[0]) +
           " for service 1, " + n(per_service[1]) + " for service 2, " + n(per_service[2]) +
           " for service 3.\n";
    if (rows.empty()) return;
    out += "- `headway` runs from " + n(headway.low) + " to " + n(headway.high) + " s, with " +
           n(static_cast<int64_t>(headways.size())) + " distinct values; " + n(common) +
           " is the most common (" + n(common_count) + " rows). `run_time` runs from " +
           n(run_time.low) + " to " + n(run_time.high) + " s.\n";
    out += "- `start_time` runs from " + n(start.low) + " to " + n(start.high) +
           ", and `end_time` from " + n(end.low) + " to " + n(end.high) + ".\n";
    out += "- " + n(end_after) + " rows end after 86400, and " + n(start_after) +
           " start at or after it; " + n(empty) +
           " rows have `start_time` equal to `end_time`. A row yields from " + n(departures.low) +
           " to " + n(departures.high) + " departures, about " +
           fixed(static_cast<double>(total_departures) / static_cast<double>(rows.size()), 1) +
           " on average.\n";
    out += "- " + n(g.frequency_table_rows) +
           " rows come as they are from frequencies.txt; the others are time bands cut from "
           "stop_times.txt.\n";
}

void scale_of_shapes(const Generated& g, std::string& out) {
    const auto& shapes = g.tables.shapes;
    int64_t with_points = 0, points = 0, repeat_same = 0, repeat_growing = 0, stop_pairs = 0;
    Range<int64_t> size, stop_points;
    Range<double> final_dist;
    int64_t total_stop_points = 0;
    std::set<int32_t> stop_ids;
    for (const TableShape& shape : shapes) {
        if (shape.points.empty()) continue;
        ++with_points;
        points += static_cast<int64_t>(shape.points.size());
        size.add(static_cast<int64_t>(shape.points.size()));
        final_dist.add(shape.points.back().dist);
        int64_t stops = 0;
        int32_t previous_stop = -1;
        for (size_t i = 0; i < shape.points.size(); ++i) {
            const ShapePoint& p = shape.points[i];
            if (p.stop_id != 0) {
                ++stops;
                stop_ids.insert(p.stop_id);
                if (previous_stop >= 0 &&
                    shape.points[static_cast<size_t>(previous_stop)].dist == p.dist)
                    ++stop_pairs;
                previous_stop = static_cast<int32_t>(i);
            }
            if (i == 0) continue;
            const ShapePoint& q = shape.points[i - 1];
            if (p.x == q.x && p.y == q.y) (p.dist == q.dist ? repeat_same : repeat_growing) += 1;
        }
        stop_points.add(stops);
        total_stop_points += stops;
    }
    std::set<int32_t> named;
    for (const TableRow& row : g.tables.rows)
        named.insert(row.row.shape_id);
    const int64_t entries = static_cast<int64_t>(shapes.size());
    out += "- The shape table has " + n(entries) + " entries: " + n(with_points) +
           " with points and " + n(entries - with_points) + " empty, entry 0 among them.";
    if (with_points == 0) {
        out += "\n";
        return;
    }
    out += " A non-empty shape has from " + n(size.low) + " to " + n(size.high) +
           " points; there are " + n(points) + " points in all.\n";
    out += "- The frequency rows name " + n(static_cast<int64_t>(named.size())) +
           " distinct shapes. " + n(with_points - static_cast<int64_t>(named.size())) +
           " shapes with points are named by no row.\n";
    out += "- A shape has from " + n(stop_points.low) + " to " + n(stop_points.high) +
           " stop points, about " +
           fixed(static_cast<double>(total_stop_points) / static_cast<double>(with_points), 1) +
           " on average; " + n(total_stop_points) + " stop points in all. There are " +
           n(static_cast<int64_t>(stop_ids.size())) + " distinct stop identifiers, from " +
           n(*stop_ids.begin()) + " to " + n(*stop_ids.rbegin()) + ".\n";
    out += "- The final `dist` of a shape lies between " + fixed(final_dist.low, 1) + " and " +
           fixed(final_dist.high, 1) + ".\n";
    out += "- " + n(repeat_same) +
           " steps between consecutive points repeat both the coordinates and the `dist`; " +
           n(repeat_growing) + " repeat the coordinates while `dist` grows; " + n(stop_pairs) +
           " pairs of consecutive stop points share a `dist`.\n";
    const NetworkHeader& h = g.tables.header;
    out += "- Header: `y` from " + n(h.y_min) + " to " + n(h.y_max) + ", `x` from " + n(h.x_min) +
           " to " + n(h.x_max) + "; `y_span` " + n(h.y_span) + ", `x_span` " + n(h.x_span) +
           ", `y_center` " + n(h.y_center) + ", `x_center` " + n(h.x_center) + ".\n";
}

void scale_of_runs(const Generated& g, std::string& out) {
    const Fidelity& f = g.fidelity;
    out += "- The run builder makes " + n(f.runs[0] + f.runs[1] + f.runs[2]) + " runs (" +
           n(f.runs[0]) + " for service 1, " + n(f.runs[1]) + " for service 2, " + n(f.runs[2]) +
           " for service 3) with " + n(f.stop_timings) +
           " stop timings in all. The latest `end` of any run is " + n(f.latest_end) + " (" +
           format_service_time(f.latest_end) + " in service time).\n";
}

std::string gap_text(const CurveGap& gap) {
    return "service " + n(gap.service) + " at " + format_service_time(gap.time) + ": " +
           n(gap.generated) + " generated, " + n(gap.real) + " in the timetable";
}

void network_section(const Generated& g, std::string& out) {
    const NetworkMetadata& info = g.tables.info;
    out += "Network: \"" + info.name + "\", time zone " + info.time_zone + " (TZ rule `" +
           info.tz_rule + "`), ";
    out += info.has_downtown ? "downtown view centred on `x` " + n(info.downtown_x) + ", `y` " +
                                   n(info.downtown_y)
                             : std::string("downtown view 750 units south of the map's centre");
    out += "; generated " + info.generated + ".\n\n";
}

void warnings_section(const Generated& g, std::string& out) {
    if (g.warnings.empty()) return;
    out += "\n## Warnings\n\n";
    for (const std::string& warning : g.warnings)
        out += "- " + warning + "\n";
}

void fidelity_section(const Generated& g, const BandingLimits& limits, std::string& out) {
    const Fidelity& f = g.fidelity;
    out += "\n## Fidelity against the timetable\n\n";
    out += "The run builder of the program expands every row; its runs are compared with the trips "
           "of the feeds.\n\n";
    out += "### Departures\n\n";
    out += "- Departures per (service, shape): " + n(static_cast<int64_t>(f.counts.size())) +
           " pairs, " +
           (f.count_mismatches == 0 ? std::string("every count matches")
                                    : n(f.count_mismatches) + " counts differ") +
           " (" + n(f.departures) + " departures).\n";
    out += "- |generated − real| departure time, the departures of each (service, shape) paired in "
           "time order: median " +
           n(f.offset_median) + " s, 95th percentile " + n(f.offset_p95) + " s, maximum " +
           n(f.offset_max) + " s, mean " + fixed(f.offset_mean, 1) + " s.\n";
    out += "- Bands: a band holds departures that one headway reproduces within " +
           n(limits.max_offset) + " s each, with durations within " +
           fixed(limits.duration_spread * 100.0, 0) + " % (at least " +
           n(limits.min_duration_slack) + " s) of their median; its `run_time` is their mean.\n";
    if (g.moved_from_midnight > 0)
        out += "- " + n(g.moved_from_midnight) +
               " departures at 00:00:00 leave at 00:00:01 instead: a row cannot start at 0.\n";

    out += "\n### Vehicles on the road\n\n";
    out +=
        "Vehicles whose trip has begun and not yet ended, every 15 minutes of each service day: "
        "the real timetable (trips from first departure to last arrival, those leaving at 00:00:00 "
        "taken as leaving at 00:00:01) against the generated "
        "runs "
        "(`start` to `end`).\n\n";
    out += on_road_headline(f) + "\n";
    out +=
        "| Service time | 1 real | 1 generated | 2 real | 2 generated | 3 real | 3 generated |\n";
    out += "|---|---:|---:|---:|---:|---:|---:|\n";
    for (const OnRoad& point : f.on_road) {
        out += "| " + format_service_time(point.time).substr(0, 5);
        for (size_t s = 0; s < 3; ++s)
            out += " | " + n(point.real[s]) + " | " + n(point.generated[s]);
        out += " |\n";
    }

    out += "\n### Departures per service and shape\n\n";
    out += "| Service | Shape | Feed shape | Real | Generated |\n|---:|---:|---|---:|---:|\n";
    for (const DepartureCount& count : f.counts) {
        out += "| " + n(count.service) + " | " + n(count.shape_id) + " | " +
               g.tables.shapes[static_cast<size_t>(count.shape_id)].name + " | " + n(count.real) +
               " | " + n(count.generated) + " |\n";
    }
}

} // namespace

std::string on_road_headline(const Fidelity& f) {
    if (!f.worst_absolute.any) return "- No quarter hour has a vehicle on the road.\n";
    std::string out =
        "- Over every quarter hour with a vehicle on the road, the largest difference "
        "is " +
        n(f.worst_absolute.difference()) + " vehicles (" + gap_text(f.worst_absolute) + ")";
    if (f.worst_relative.any)
        out += ", and the largest relative difference " +
               fixed(f.worst_relative.relative() * 100.0, 2) + " % (" + gap_text(f.worst_relative) +
               ")";
    return out + ".\n";
}

std::string with_commas(int64_t value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

std::string write_report(const Generated& g, const BandingLimits& limits) {
    std::string out = "# Network data set report\n\n";
    out += "Generated by `zintu-gtfs` from the feeds ";
    for (size_t i = 0; i < g.feed_names.size(); ++i)
        out += (i == 0 ? "" : ", ") + std::string("`") + g.feed_names[i] + "`";
    out += ".\n\n";
    const char* day_names[3] = {"Wednesday", "Saturday", "Sunday"};
    out += "Service day types come from the week of " + format_iso_date(g.days[0] - 2) + ":\n\n";
    for (size_t s = 0; s < 3; ++s)
        out += "- service " + n(static_cast<int64_t>(s + 1)) + ": the timetable of " +
               day_names[s] + " " + format_iso_date(g.days[s]) + ", " + n(g.trips[s]) +
               " trips making " + n(g.fidelity.departures_per_service[s]) + " departures;\n";
    out += "\n";
    network_section(g, out);
    out += "Projection: equirectangular about " + fixed(g.center_lat, 6) + ", " +
           fixed(g.center_lon, 6) + " (latitude, longitude), " + fixed(g.units_per_km, 3) +
           " map units per km, `x` growing west.\n\n";
    if (!g.featured_routes.empty()) {
        out += "Featured routes (the busiest shape of each direction):\n\n";
        for (size_t pair = 0; pair < g.featured_routes.size(); ++pair) {
            out += "- " + g.featured_routes[pair] + ":";
            for (size_t k = 0; k < 2; ++k) {
                const size_t id = 2 * pair + 1 + k;
                const auto& shape = g.tables.shapes[id];
                out += " shape " + n(static_cast<int64_t>(id)) + " " +
                       (shape.points.empty() ? std::string("(none)") : "`" + shape.name + "`");
                out += k == 0 ? "," : "\n";
            }
        }
        out += "\n";
    }
    out += "## Scale\n\n";
    scale_of_rows(g, out);
    scale_of_shapes(g, out);
    scale_of_runs(g, out);
    out += "- " + n(g.distinct_stops) + " stops of the feeds are served on the chosen days.\n";
    fidelity_section(g, limits, out);
    warnings_section(g, out);
    return out;
}

} // namespace zintu::gtfs
