// Route colours and the mapping of route types to kinds.
#include "route_style.h"

#include "network/route_kinds.h"

namespace zintu::gtfs {
namespace {

// The extended route types by group of hundreds, and the basic kind each
// group's vehicles are drawn as. Groups not listed (air services, self-drive)
// have no kind.
struct Group {
    int64_t first;
    int64_t last;
    RouteKind kind;
};
constexpr Group kGroups[] = {
    {100, 199, RouteKind::Rail},         // railway services
    {200, 299, RouteKind::Bus},          // coaches
    {300, 399, RouteKind::Rail},         // suburban railway
    {400, 404, RouteKind::Metro},        // urban railway, metro, underground
    {405, 405, RouteKind::Monorail},     //
    {406, 699, RouteKind::Metro},        // more urban railway, metro, underground
    {700, 799, RouteKind::Bus},          // buses
    {800, 899, RouteKind::Trolleybus},   //
    {900, 999, RouteKind::Tram},         //
    {1000, 1099, RouteKind::Ferry},      // water transport
    {1200, 1299, RouteKind::Ferry},      //
    {1300, 1399, RouteKind::AerialLift}, // telecabins, cable cars, chair lifts
    {1400, 1499, RouteKind::Funicular},  //
    {1500, 1599, RouteKind::Bus},        // taxis, which run on the roads
    {1701, 1701, RouteKind::CableTram},  // the miscellaneous group's cable car
    {1700, 1799, RouteKind::Bus},        // the rest of it, horse-drawn carriages among them
};

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<uint32_t> parse_route_color(std::string_view text) {
    if (text.size() != 6) return std::nullopt;
    uint32_t colour = 0;
    for (const char c : text) {
        const int digit = hex_digit(c);
        if (digit < 0) return std::nullopt;
        colour = colour << 4 | static_cast<uint32_t>(digit);
    }
    return colour;
}

std::optional<RouteKind> kind_of_route_type(int64_t type) {
    if (type < 100) return route_kind_of(type);
    for (const Group& group : kGroups) {
        if (type >= group.first && type <= group.last) return group.kind;
    }
    return std::nullopt;
}

} // namespace zintu::gtfs
