// Douglas-Peucker between consecutive fixed points, with an explicit stack so
// that long polylines cannot exhaust the call stack.
#include "simplify.h"

#include <cmath>
#include <utility>

namespace zintu::gtfs {
namespace {

// Distance from p to the segment a-b.
double segment_distance(Vec2 p, Vec2 a, Vec2 b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

void simplify_span(const std::vector<Vec2>& points, size_t first, size_t last, double tolerance,
                   std::vector<bool>& keep) {
    std::vector<std::pair<size_t, size_t>> stack{{first, last}};
    while (!stack.empty()) {
        const auto [from, to] = stack.back();
        stack.pop_back();
        double worst = -1.0;
        size_t worst_index = from;
        for (size_t i = from + 1; i < to; ++i) {
            const double d = segment_distance(points[i], points[from], points[to]);
            if (d > worst) {
                worst = d;
                worst_index = i;
            }
        }
        if (worst > tolerance) {
            keep[worst_index] = true;
            stack.emplace_back(from, worst_index);
            stack.emplace_back(worst_index, to);
        }
    }
}

} // namespace

std::vector<bool> simplify(const std::vector<Vec2>& points, const std::vector<bool>& fixed,
                           double tolerance) {
    std::vector<bool> keep(points.size(), false);
    if (points.empty()) return keep;
    keep.front() = keep.back() = true;
    size_t anchor = 0;
    for (size_t i = 1; i < points.size(); ++i) {
        if (!fixed[i] && i + 1 != points.size()) continue;
        keep[i] = true;
        simplify_span(points, anchor, i, tolerance, keep);
        anchor = i;
    }
    return keep;
}

} // namespace zintu::gtfs
