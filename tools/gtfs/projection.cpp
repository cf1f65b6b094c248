// Equirectangular projection arithmetic.
#include "projection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zintu::gtfs {

void GeoBounds::add(double lat, double lon) {
    min_lat = std::min(min_lat, lat);
    max_lat = std::max(max_lat, lat);
    min_lon = std::min(min_lon, lon);
    max_lon = std::max(max_lon, lon);
}

Vec2 Projection::project(double lat, double lon) const {
    const double scale = kKmPerDegree * units_per_km;
    // x grows westward: a smaller longitude lies further west.
    return {-(lon - lon0) * cos_lat0 * scale, (lat - lat0) * scale};
}

LatLon Projection::unproject(Vec2 point) const {
    const double scale = kKmPerDegree * units_per_km;
    return {point.y / scale + lat0, lon0 - point.x / (cos_lat0 * scale)};
}

Projection projection_about(double lat, double lon) {
    Projection projection;
    projection.lat0 = lat;
    projection.lon0 = lon;
    projection.cos_lat0 = std::cos(lat * std::numbers::pi / 180.0);
    return projection;
}

Projection make_projection(const GeoBounds& bounds, std::optional<double> units_per_km) {
    Projection projection;
    projection.lat0 = (bounds.min_lat + bounds.max_lat) / 2.0;
    projection.lon0 = (bounds.min_lon + bounds.max_lon) / 2.0;
    projection.cos_lat0 = std::cos(projection.lat0 * std::numbers::pi / 180.0);
    if (units_per_km) {
        projection.units_per_km = *units_per_km;
    } else {
        const double height_km = (bounds.max_lat - bounds.min_lat) * kKmPerDegree;
        const double width_km =
            (bounds.max_lon - bounds.min_lon) * kKmPerDegree * projection.cos_lat0;
        const double longer = std::max(height_km, width_km);
        projection.units_per_km = longer > 0.0 ? kDefaultMapSpan / longer : 1.0;
    }
    return projection;
}

} // namespace zintu::gtfs
