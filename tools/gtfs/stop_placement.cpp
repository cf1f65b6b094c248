// Stop placement by dynamic programming over (stop, segment) pairs, and the
// merge of stop patterns through their longest common subsequence.
#include "stop_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zintu::gtfs {
namespace {

struct Projected {
    double distance;
    double along;
};

// Nearest point of segment s of `line` to p.
Projected project_on_segment(const Polyline& line, size_t s, Vec2 p) {
    const Vec2 a = line.points[s];
    const Vec2 b = line.points[s + 1];
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double qx = a.x + t * dx - p.x;
    const double qy = a.y + t * dy - p.y;
    return {std::sqrt(qx * qx + qy * qy), line.along[s] + t * (line.along[s + 1] - line.along[s])};
}

// Distance from p to the point of segment s that lies `at` along the line.
double point_distance(const Polyline& line, size_t s, double at, Vec2 p) {
    const double length = line.along[s + 1] - line.along[s];
    const double t = length > 0.0 ? (at - line.along[s]) / length : 0.0;
    const Vec2 a = line.points[s];
    const Vec2 b = line.points[s + 1];
    return std::hypot(a.x + t * (b.x - a.x) - p.x, a.y + t * (b.y - a.y) - p.y);
}

struct Item {
    bool from_pattern; // false: from the merged sequence so far
    int32_t index;
};

} // namespace

Polyline make_polyline(const std::vector<Vec2>& points) {
    Polyline line;
    for (size_t i = 0; i < points.size(); ++i) {
        const Vec2& p = points[i];
        if (!line.points.empty() && line.points.back().x == p.x && line.points.back().y == p.y)
            continue;
        const double along = line.points.empty()
                                 ? 0.0
                                 : line.along.back() + std::hypot(p.x - line.points.back().x,
                                                                  p.y - line.points.back().y);
        line.points.push_back(p);
        line.along.push_back(along);
        line.source.push_back(static_cast<int32_t>(i));
    }
    return line;
}

Vec2 point_at(const Polyline& line, double at) {
    if (line.points.empty()) return {0.0, 0.0};
    const auto after = std::upper_bound(line.along.begin(), line.along.end(), at);
    if (after == line.along.begin()) return line.points.front();
    if (after == line.along.end()) return line.points.back();
    const auto s = static_cast<size_t>(after - line.along.begin()) - 1;
    const double t = (at - line.along[s]) / (line.along[s + 1] - line.along[s]);
    const Vec2 a = line.points[s];
    const Vec2 b = line.points[s + 1];
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

std::vector<double> place_stops(const Polyline& line, const std::vector<Vec2>& stops,
                                double* cost_out) {
    const size_t m = stops.size();
    std::vector<double> along(m, 0.0);
    if (cost_out != nullptr) *cost_out = 0.0;
    if (line.points.size() < 2 || m == 0) return along;
    const size_t n = line.points.size() - 1; // segments

    // State (i, s): stop i on segment s, at place[i * n + s] along the line,
    // reached at least cost cost[s]. A stop on a later segment than its
    // predecessor stands at its own projection; on the same segment it may not
    // stand behind the predecessor, so it stands at the later of the two places.
    std::vector<double> cost(n);
    std::vector<double> next(n);
    std::vector<double> place(m * n);
    std::vector<int32_t> from(m * n, 0);
    for (size_t s = 0; s < n; ++s) {
        const Projected p = project_on_segment(line, s, stops[0]);
        cost[s] = p.distance;
        place[s] = p.along;
    }
    for (size_t i = 1; i < m; ++i) {
        double best_before = std::numeric_limits<double>::infinity();
        int32_t best_segment = -1;
        for (size_t s = 0; s < n; ++s) {
            const Projected p = project_on_segment(line, s, stops[i]);
            double total = best_before + p.distance;
            double at = p.along;
            int32_t previous = best_segment;
            const double behind = place[(i - 1) * n + s];
            const double stay =
                behind <= p.along ? p.distance : point_distance(line, s, behind, stops[i]);
            if (cost[s] + stay < total) {
                total = cost[s] + stay;
                at = std::max(behind, p.along);
                previous = static_cast<int32_t>(s);
            }
            next[s] = total;
            place[i * n + s] = at;
            from[i * n + s] = previous;
            if (cost[s] < best_before) {
                best_before = cost[s];
                best_segment = static_cast<int32_t>(s);
            }
        }
        cost.swap(next);
    }
    size_t segment = static_cast<size_t>(std::min_element(cost.begin(), cost.end()) - cost.begin());
    if (cost_out != nullptr) *cost_out = cost[segment];
    for (size_t i = m; i-- > 0;) {
        along[i] = place[i * n + segment];
        if (i > 0) segment = static_cast<size_t>(from[i * n + segment]);
    }
    return along;
}

MergedStops merge_patterns(const std::vector<PlacedPattern>& patterns) {
    MergedStops merged;
    if (patterns.empty()) return merged;
    merged.stops = patterns[0].stops;
    merged.along = patterns[0].along;
    merged.index_of.emplace_back();
    for (size_t i = 0; i < merged.stops.size(); ++i)
        merged.index_of[0].push_back(static_cast<int32_t>(i));

    for (size_t p = 1; p < patterns.size(); ++p) {
        const std::vector<int32_t>& a = merged.stops;
        const std::vector<int32_t>& b = patterns[p].stops;
        const size_t na = a.size();
        const size_t nb = b.size();
        // lcs[i * (nb + 1) + j]: longest common subsequence of a[i..] and b[j..].
        std::vector<int32_t> lcs((na + 1) * (nb + 1), 0);
        for (size_t i = na; i-- > 0;) {
            for (size_t j = nb; j-- > 0;) {
                lcs[i * (nb + 1) + j] =
                    a[i] == b[j] ? lcs[(i + 1) * (nb + 1) + j + 1] + 1
                                 : std::max(lcs[(i + 1) * (nb + 1) + j], lcs[i * (nb + 1) + j + 1]);
            }
        }
        // Walk the table: matched stops are shared; between two matches the
        // unmatched stops of both sides are merged by their place on the line.
        std::vector<int32_t> new_index_of_old(na);
        std::vector<int32_t> index_in_pattern(nb);
        MergedStops next;
        std::vector<Item> pending;
        auto flush = [&](double upper) {
            std::stable_sort(pending.begin(), pending.end(), [&](const Item& x, const Item& y) {
                const double ax =
                    x.from_pattern ? patterns[p].along[x.index] : merged.along[x.index];
                const double ay =
                    y.from_pattern ? patterns[p].along[y.index] : merged.along[y.index];
                return ax < ay;
            });
            for (const Item& item : pending) {
                const double lower = next.along.empty() ? -std::numeric_limits<double>::infinity()
                                                        : next.along.back();
                double place =
                    item.from_pattern ? patterns[p].along[item.index] : merged.along[item.index];
                place = std::clamp(place, lower, std::max(lower, upper));
                if (item.from_pattern) {
                    index_in_pattern[item.index] = static_cast<int32_t>(next.stops.size());
                    next.stops.push_back(b[item.index]);
                } else {
                    new_index_of_old[item.index] = static_cast<int32_t>(next.stops.size());
                    next.stops.push_back(a[item.index]);
                }
                next.along.push_back(place);
            }
            pending.clear();
        };
        size_t i = 0;
        size_t j = 0;
        while (i < na || j < nb) {
            if (i < na && j < nb && a[i] == b[j] &&
                lcs[i * (nb + 1) + j] == lcs[(i + 1) * (nb + 1) + j + 1] + 1) {
                flush(merged.along[i]);
                new_index_of_old[i] = index_in_pattern[j] = static_cast<int32_t>(next.stops.size());
                next.stops.push_back(a[i]);
                next.along.push_back(
                    std::max(merged.along[i], next.along.empty() ? 0.0 : next.along.back()));
                ++i;
                ++j;
            } else if (j >= nb ||
                       (i < na && lcs[(i + 1) * (nb + 1) + j] >= lcs[i * (nb + 1) + j + 1])) {
                pending.push_back({false, static_cast<int32_t>(i++)});
            } else {
                pending.push_back({true, static_cast<int32_t>(j++)});
            }
        }
        flush(std::numeric_limits<double>::infinity());
        for (auto& indices : merged.index_of) {
            for (int32_t& index : indices)
                index = new_index_of_old[static_cast<size_t>(index)];
        }
        next.index_of = std::move(merged.index_of);
        next.index_of.push_back(std::move(index_in_pattern));
        merged = std::move(next);
    }
    return merged;
}

} // namespace zintu::gtfs
