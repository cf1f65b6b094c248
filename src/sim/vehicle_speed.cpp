// Speed bounds along the shapes. A leg from stop k to stop k + 1 covers
// D = dist(k + 1) - dist(k) in T seconds with the eased position
// (1 - cos(pi u)) / 2 of the leg's fraction u of time, so its speed is
// D pi / (2 T) sin(pi u): zero at both stops, highest half way.
#include "sim/vehicle_speed.h"

#include <algorithm>
#include <cmath>

namespace zintu {
namespace {

constexpr double kPi = 3.1415926;

// The largest sin(pi u) for u in [a, b], both within [0, 1].
double peak_sine(double a, double b) {
    if (a <= 0.5 && b >= 0.5) return 1.0;
    return std::max(std::sin(kPi * a), std::sin(kPi * b));
}

} // namespace

std::vector<float> shape_map_factors(const Network& network) {
    std::vector<float> factors(static_cast<std::size_t>(std::max(network.shape_count, 0)), 0.0f);
    for (int32_t id = 0; id < network.shape_count; ++id) {
        const ShapeEntry& shape = network.shapes[id];
        double factor = 0.0;
        for (int32_t i = 0; i + 1 < shape.shape_size; ++i) {
            const ShapePoint& a = shape.points[i];
            const ShapePoint& b = shape.points[i + 1];
            const double span = b.dist - a.dist;
            // Equal distances share their point: the vehicle does not move.
            if (!(span > 0.0)) continue;
            const double dx = static_cast<double>(b.x) - a.x;
            const double dy = static_cast<double>(b.y) - a.y;
            factor = std::max(factor, std::sqrt(dx * dx + dy * dy) / span);
        }
        // Rounded up, so the float never lies below the bound it stands for.
        factors[static_cast<std::size_t>(id)] =
            factor > 0.0 ? std::nextafter(static_cast<float>(factor), HUGE_VALF) : 0.0f;
    }
    return factors;
}

double run_speed_bound(const ShapeEntry& shape, const Run& run, int32_t offset, double now,
                       double horizon) {
    const double until = now + horizon;
    double fastest = 0.0;
    // Arrivals only grow along a run: the first leg still under way is found
    // by halving, not by walking every stop behind it.
    const StopTiming* stops = run.stops.get();
    const int32_t legs = std::max(run.stop_count - 1, 0);
    const int32_t first = static_cast<int32_t>(
        std::partition_point(stops + 1, stops + 1 + legs,
                             [&](const StopTiming& stop) {
                                 return static_cast<double>(stop.arrival) + offset <= now;
                             }) -
        (stops + 1));
    for (int32_t k = first; k < legs; ++k) {
        const StopTiming& from = stops[k];
        const StopTiming& to = stops[k + 1];
        const double leave = static_cast<double>(from.departure) + offset;
        const double arrive = static_cast<double>(to.arrival) + offset;
        if (leave >= until) break;
        const int32_t p0 = from.point_index;
        const int32_t p1 = to.point_index;
        if (p0 < 0 || p1 >= shape.shape_size || p0 >= p1 || !(arrive > leave)) continue;
        const double length = shape.points[p1].dist - shape.points[p0].dist;
        const double duration = arrive - leave;
        const double a = std::max(0.0, (now - leave) / duration);
        const double b = std::min(1.0, (until - leave) / duration);
        fastest = std::max(fastest, length * kPi / (2.0 * duration) * peak_sine(a, b));
    }
    return fastest;
}

} // namespace zintu
