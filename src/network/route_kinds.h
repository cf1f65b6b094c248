// The kinds of route a network knows, their names, and a network's routes
// counted by kind: shared by the network check, `zintu --info` and the
// generator's report.
#pragma once

#include "network/network.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zintu {

// Every kind, in the order lists show them.
inline constexpr RouteKind kRouteKinds[] = {
    RouteKind::Tram,       RouteKind::Metro,     RouteKind::Rail,       RouteKind::Bus,
    RouteKind::Ferry,      RouteKind::CableTram, RouteKind::AerialLift, RouteKind::Funicular,
    RouteKind::Trolleybus, RouteKind::Monorail};
inline constexpr size_t kRouteKindCount = std::size(kRouteKinds);

// The kind numbered `value` (a basic GTFS route type), or none.
std::optional<RouteKind> route_kind_of(int64_t value);

// "tram", "metro", "rail", "bus", "ferry", "cable tram", "aerial lift",
// "funicular", "trolleybus", "monorail"; "?" for a number that is no kind.
std::string_view route_kind_name(RouteKind kind);

struct RouteCounts {
    int64_t routes = 0;
    int64_t coloured = 0;                           // with a colour of their own
    std::array<int64_t, kRouteKindCount> by_kind{}; // in the order of kRouteKinds
};

// The network's routes (the distinct non-zero ShapeStyle::route numbers), each
// counted under the kind of its first shape. All zero for a network that
// records no styles.
RouteCounts count_routes(const Network& network);

} // namespace zintu
