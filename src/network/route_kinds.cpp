// Route kinds by number and name, and the count of a network's routes.
#include "network/route_kinds.h"

#include <algorithm>
#include <set>

namespace zintu {
namespace {

constexpr std::string_view kNames[kRouteKindCount] = {
    "tram",       "metro",       "rail",      "bus",        "ferry",
    "cable tram", "aerial lift", "funicular", "trolleybus", "monorail"};

// The kind's place in kRouteKinds, or kRouteKindCount.
size_t index_of(RouteKind kind) {
    return static_cast<size_t>(std::find(std::begin(kRouteKinds), std::end(kRouteKinds), kind) -
                               std::begin(kRouteKinds));
}

} // namespace

std::optional<RouteKind> route_kind_of(int64_t value) {
    for (RouteKind kind : kRouteKinds) {
        if (static_cast<int64_t>(kind) == value) return kind;
    }
    return std::nullopt;
}

std::string_view route_kind_name(RouteKind kind) {
    const size_t index = index_of(kind);
    return index < kRouteKindCount ? kNames[index] : "?";
}

RouteCounts count_routes(const Network& network) {
    RouteCounts counts;
    if (network.shape_styles == nullptr) return counts;
    std::set<int32_t> seen;
    for (int32_t id = 0; id < network.shape_count; ++id) {
        const ShapeStyle& style = network.shape_styles[id];
        if (style.route <= 0 || !seen.insert(style.route).second) continue;
        ++counts.routes;
        counts.coloured += style.colour != kNoRouteColour;
        const size_t index = index_of(style.kind);
        if (index < kRouteKindCount) ++counts.by_kind[index];
    }
    return counts;
}

} // namespace zintu
