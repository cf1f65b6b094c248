// Route colours as feeds write them, and every route type to the kind it is
// drawn as, on both sides of each group's limits.
#include "route_style.h"

#include <gtest/gtest.h>

namespace zintu::gtfs {
namespace {

TEST(RouteStyle, ColoursAreSixHexDigits) {
    const std::optional<uint32_t> no;
    // clang-format off
    const std::pair<const char*, std::optional<uint32_t>> cases[] = {
        {"000000", 0}, {"FFFFFF", 0xFFFFFF}, {"ee352E", 0xEE352E}, {"09afAF", 0x09AFAF}, {"", no},
        {"FF00", no}, {"FF00000", no}, {"0x1234", no}, {" 00000", no}, {"12345/", no},
        {"12345:", no}, {"12345@", no}, {"12345G", no}, {"12345`", no}, {"12345g", no}};
    // clang-format on
    for (const auto& [text, colour] : cases)
        EXPECT_EQ(parse_route_color(text), colour) << text;
}

TEST(RouteStyle, RouteTypesMapToTheirBasicKind) {
    using K = RouteKind;
    const std::optional<RouteKind> no;
    // clang-format off
    const std::pair<int64_t, std::optional<RouteKind>> cases[] = {
        {-1, no}, {0, K::Tram}, {1, K::Metro}, {2, K::Rail}, {3, K::Bus}, {4, K::Ferry},
        {5, K::CableTram}, {6, K::AerialLift}, {7, K::Funicular}, {8, no}, {10, no},
        {11, K::Trolleybus}, {12, K::Monorail}, {13, no}, {99, no}, {100, K::Rail},
        {199, K::Rail}, {200, K::Bus}, {299, K::Bus}, {300, K::Rail}, {399, K::Rail},
        {400, K::Metro}, {404, K::Metro}, {405, K::Monorail}, {406, K::Metro}, {699, K::Metro},
        {700, K::Bus}, {799, K::Bus}, {800, K::Trolleybus}, {899, K::Trolleybus}, {900, K::Tram},
        {999, K::Tram}, {1000, K::Ferry}, {1099, K::Ferry}, {1100, no}, {1199, no},
        {1200, K::Ferry}, {1299, K::Ferry}, {1300, K::AerialLift}, {1399, K::AerialLift},
        {1400, K::Funicular}, {1499, K::Funicular}, {1500, K::Bus}, {1599, K::Bus}, {1600, no},
        {1699, no}, {1700, K::Bus}, {1701, K::CableTram}, {1702, K::Bus}, {1799, K::Bus},
        {1800, no}, {1LL << 40, no}};
    // clang-format on
    for (const auto& [type, kind] : cases)
        EXPECT_EQ(kind_of_route_type(type), kind) << type;
}

} // namespace
} // namespace zintu::gtfs
