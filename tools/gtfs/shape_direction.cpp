// Direction by placement cost: the stops are placed in travel order along the
// shape and along its reverse, and the closer fit wins. A loop that passes a
// stop twice still compares fairly, which first-and-last-stop tests do not.
#include "shape_direction.h"

#include "projection.h"

#include <algorithm>
#include <cmath>

namespace zintu::gtfs {
namespace {

// A local equirectangular frame in kilometres: the fit compares distances
// within one city, where its distortion does not matter.
struct LocalFrame {
    double lat0;
    double lon0;
    double cos_lat0;

    Vec2 operator()(double lat, double lon) const {
        return {(lon - lon0) * cos_lat0 * kKmPerDegree, (lat - lat0) * kKmPerDegree};
    }
};

LocalFrame frame_of(const ShapeLine& line) {
    const LatLon first = line.points.empty() ? LatLon{0.0, 0.0} : line.points.front();
    return {first.lat, first.lon, std::cos(first.lat * 3.14159265358979323846 / 180.0)};
}

} // namespace

bool ShapeDirections::runs_against(int32_t shape, const std::vector<int32_t>& stops) {
    const auto key = std::make_pair(shape, stops);
    if (const auto found = answers_.find(key); found != answers_.end()) return found->second;
    const ShapeLine& line = feed_.shapes[static_cast<size_t>(shape)];
    const LocalFrame frame = frame_of(line);
    auto lines = lines_.find(shape);
    if (lines == lines_.end()) {
        std::vector<Vec2> points;
        for (const LatLon& p : line.points)
            points.push_back(frame(p.lat, p.lon));
        Polyline forward = make_polyline(points);
        std::reverse(points.begin(), points.end());
        lines =
            lines_.emplace(shape, std::make_pair(std::move(forward), make_polyline(points))).first;
    }
    std::vector<Vec2> positions;
    for (int32_t stop : stops) {
        const Stop& s = feed_.stops[static_cast<size_t>(stop)];
        positions.push_back(frame(s.lat, s.lon));
    }
    double forward = 0.0;
    double backward = 0.0;
    place_stops(lines->second.first, positions, &forward);
    place_stops(lines->second.second, positions, &backward);
    const bool against = backward < forward;
    answers_.emplace(key, against);
    return against;
}

} // namespace zintu::gtfs
