// Vehicle placement along the shapes: dwell at stops, cosine-eased travel
// between them. Stored values are single precision, the arithmetic double.
#include "sim/placement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zintu {
namespace {

constexpr double kPi = 3.1415926;

float segment_heading(const ShapePoint& from, const ShapePoint& to) {
    return static_cast<float>(
        std::atan2(static_cast<double>(to.y - from.y), static_cast<double>(to.x - from.x)));
}

// First stop index k in [0, stop_count - 2] whose next stop is still ahead.
// The run builder makes every arrival later than the departure before it, so
// the arrivals grow and the stop is found by halving.
int32_t next_stop(const Run& run, int32_t offset, double now) {
    const StopTiming* after = run.stops.get() + 1;
    const int32_t legs = run.stop_count - 1;
    const StopTiming* ahead = std::partition_point(
        after, after + legs, [&](const StopTiming& stop) { return stop.arrival + offset <= now; });
    const auto k = static_cast<int32_t>(ahead - after);
    return k < legs ? k : -1;
}

// Position at target distance `target` between points p0 and p1 of a shape.
bool place_on_segment(const ShapePoint* points, int32_t p0, int32_t p1, float target,
                      int32_t shape_id, Vehicle& vehicle) {
    const double t = target;
    int32_t j = p0;
    while (j < p1 && !(points[j].dist <= t && t <= points[j + 1].dist))
        ++j;
    if (j == p1) return false;

    const ShapePoint& a = points[j];
    const ShapePoint& b = points[j + 1];
    const double span = b.dist - a.dist;
    // Two points at the same distance: the vehicle is at that point. Dividing
    // would give 0/0 and a position that is not a number.
    if (span == 0.0) {
        vehicle = {static_cast<float>(a.x), static_cast<float>(a.y), 0.0f, shape_id};
        return true;
    }
    const int32_t dx = b.x - a.x;
    const int32_t dy = b.y - a.y;
    const float heading = segment_heading(a, b);
    const double len = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
    const double r = (t - a.dist) / span;
    const double h = heading;
    vehicle = {static_cast<float>(a.x + len * r * std::cos(h)),
               static_cast<float>(a.y + len * r * std::sin(h)), heading, shape_id};
    return true;
}

} // namespace

void service_day_window(const Network& network, int tm_wday, ServiceSlot (&slots)[3]) {
    const int32_t* map = network.weekday_service_map;
    const int yesterday = tm_wday == 0 ? 6 : tm_wday - 1;
    const int tomorrow = tm_wday == 6 ? 0 : tm_wday + 1;
    slots[0] = {map[yesterday], -kSecondsPerDay};
    slots[1] = {map[tm_wday], 0};
    slots[2] = {map[tomorrow], kSecondsPerDay};
}

bool place_run(const Network& network, const Run& run, int32_t offset, float seconds,
               Vehicle& vehicle) {
    if (run.shape_id == 0 || !shape_in_table(network, run.shape_id)) return false;
    const ShapeEntry& shape = network.shapes[run.shape_id];
    if (shape.shape_size == 0 || run.stop_count - 1 <= 0) return false;

    const double now = seconds;
    const int32_t k = next_stop(run, offset, now);
    if (k < 0) return false; // standing at the terminal stop

    const StopTiming& from = run.stops[k];
    const StopTiming& to = run.stops[k + 1];
    const ShapePoint* points = shape.points;

    if (from.departure + offset >= now) {
        const int32_t p = from.point_index;
        if (p + 1 >= shape.shape_size) return false;
        vehicle = {static_cast<float>(points[p].x), static_cast<float>(points[p].y),
                   segment_heading(points[p], points[p + 1]), run.shape_id};
        return true;
    }

    const double elapsed = now - static_cast<double>(from.departure + offset);
    const int32_t duration = to.arrival - from.departure;
    const double u = elapsed / static_cast<double>(duration);
    const float eased = static_cast<float>((std::cos((u + 1.0) * kPi) + 1.0) * 0.5);
    if (eased > 1.0f || eased < 0.0f || std::isnan(eased)) {
        std::fputs("WTFBBQ!\n", stdout);
        return false;
    }

    const int32_t p0 = from.point_index;
    const int32_t p1 = to.point_index;
    if (p0 >= p1 || p1 >= shape.shape_size) return false;
    const float d0 = static_cast<float>(points[p0].dist);
    const double d1 = points[p1].dist;
    const float target = static_cast<float>(d0 + eased * (d1 - d0));
    return place_on_segment(points, p0, p1, target, run.shape_id, vehicle);
}

} // namespace zintu
