// How a feed says a route looks: its route_color and its route_type, read
// into the colour and the kind of vehicle the network records for its shapes.
#pragma once

#include "network/network.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace zintu::gtfs {

// "RRGGBB" in hex digits of either case, as 0xRRGGBB; none for anything else.
std::optional<uint32_t> parse_route_color(std::string_view text);

// The kind of a route_type: a basic type as itself, an extended type (100 and
// up) as the basic kind its group of hundreds runs; none for a type this
// program has no kind for.
std::optional<RouteKind> kind_of_route_type(int64_t type);

} // namespace zintu::gtfs
