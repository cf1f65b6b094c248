// The map projection: equirectangular about the centre of the network's
// bounding box, y growing north and x growing west, in map units.
#pragma once

#include <optional>

namespace zintu::gtfs {

struct Vec2 {
    double x;
    double y;
};

struct LatLon {
    double lat;
    double lon;
};

struct GeoBounds {
    double min_lat = 90.0;
    double max_lat = -90.0;
    double min_lon = 180.0;
    double max_lon = -180.0;

    void add(double lat, double lon);
    bool empty() const { return min_lat > max_lat; }
};

struct Projection {
    double lat0 = 0.0;
    double lon0 = 0.0;
    double units_per_km = 1.0;
    double cos_lat0 = 1.0;

    Vec2 project(double lat, double lon) const;
    LatLon unproject(Vec2 point) const;
};

// The longer side of the map comes out at about this many units by default: the
// vehicle glyphs are sized for a map of that size.
inline constexpr double kDefaultMapSpan = 5300.0;

// Kilometres per degree of latitude, on a sphere of the Earth's mean radius.
inline constexpr double kKmPerDegree = 111.19492664455873;

// A projection about the centre of `bounds`; without `units_per_km`, the scale
// makes the longer side of the bounds kDefaultMapSpan units long.
Projection make_projection(const GeoBounds& bounds, std::optional<double> units_per_km);

// A projection in kilometres about one point.
Projection projection_about(double lat, double lon);

} // namespace zintu::gtfs
