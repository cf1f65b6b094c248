// A small hand-made network for tests and for builds without a city: a few
// straight lines, a loop that passes a stop twice, repeated points, shapes that
// begin or end on a plain vertex, rows that run past midnight and empty windows.
// Shape ids 1 to 8 are the four featured pairs; 9 is an empty entry; 12 is
// drawn but named by no row. Each shape carries a route style, so line
// colours can be tried: a pale yellow metro, a white rail line, a tram and a
// bus without a colour, a pale and a dark bus; the network itself still
// chooses the featured colours.
#include "network/network.h"

#include <iterator>

namespace zintu {
namespace {

constexpr NetworkHeader kHeader = {7900, 5000, 6000, 1000, 2900, 5000, 6450, 3500, 23};

constexpr FrequencyRow kFrequencyTable[] = {
    {1, 300, 1800, 18000, 86400, 1},  {1, 300, 1800, 18000, 86400, 2},
    {1, 600, 1500, 21600, 79200, 3},  {1, 600, 1500, 21600, 79200, 4},
    {1, 900, 1200, 21600, 82800, 5},  {1, 900, 1200, 21600, 82800, 6},
    {1, 420, 2400, 25200, 72000, 7},  {1, 420, 2400, 25200, 72000, 8},
    {1, 282, 3540, 21780, 32400, 10}, {1, 600, 3540, 32400, 75600, 10},
    {1, 480, 1500, 86820, 93360, 11}, {1, 840, 1680, 23220, 23220, 13},
    {1, 600, 900, 0, 3600, 13},       {1, 900, 1800, 79200, 90000, 13},
    {2, 600, 1800, 25200, 86400, 1},  {2, 600, 1800, 25200, 86400, 2},
    {2, 1200, 1200, 28800, 79200, 5}, {2, 1200, 1200, 28800, 79200, 6},
    {2, 900, 3540, 28800, 72000, 10}, {3, 900, 1800, 28800, 82800, 1},
    {3, 900, 1800, 28800, 82800, 2},  {3, 900, 900, 86400, 94320, 11},
    {3, 1800, 1500, 36000, 36000, 3},
};

constexpr ShapePoint kShape1[] = {
    {7000, 5500, 101, 0.0},    {7000, 5250, 0, 250.0},    {7000, 5000, 102, 500.0},
    {7000, 4750, 0, 750.0},    {7000, 4500, 103, 1000.0}, {7000, 4250, 0, 1250.0},
    {7000, 4000, 104, 1500.0}, {7000, 3750, 0, 1750.0},   {7000, 3500, 105, 2000.0},
    {7000, 3500, 0, 2000.0},   {7000, 3000, 106, 2500.0}, {7000, 2750, 0, 2750.0},
    {7000, 2500, 107, 3000.0}, {7000, 2250, 0, 3250.0},   {7000, 2000, 108, 3500.0},
    {7000, 1750, 0, 3750.0},   {7000, 1500, 109, 4000.0},
};

constexpr ShapePoint kShape2[] = {
    {7000, 1500, 109, 0.0},    {7000, 1750, 0, 250.0},    {7000, 2000, 108, 500.0},
    {7000, 2250, 0, 750.0},    {7000, 2500, 107, 1000.0}, {7000, 2750, 0, 1250.0},
    {7000, 3000, 106, 1500.0}, {7000, 3500, 105, 2000.0}, {7000, 3750, 0, 2250.0},
    {7000, 4000, 104, 2500.0}, {7000, 4250, 0, 2750.0},   {7000, 4500, 103, 3000.0},
    {7000, 4750, 0, 3250.0},   {7000, 5000, 102, 3500.0}, {7000, 5250, 0, 3750.0},
    {7000, 5500, 101, 4000.0},
};

constexpr ShapePoint kShape3[] = {
    {5400, 3000, 201, 0.0},    {5800, 3000, 202, 400.0},  {6200, 3000, 203, 800.0},
    {6600, 3000, 204, 1200.0}, {7000, 3000, 205, 1600.0}, {7400, 3000, 206, 2000.0},
    {7800, 3000, 207, 2400.0},
};

constexpr ShapePoint kShape4[] = {
    {7900, 3000, 0, 0.0},      {7800, 3000, 207, 100.0},  {7400, 3000, 206, 500.0},
    {7000, 3000, 205, 900.0},  {6600, 3000, 204, 1300.0}, {6200, 3000, 203, 1700.0},
    {5800, 3000, 202, 2100.0}, {5400, 3000, 201, 2500.0},
};

constexpr ShapePoint kShape5[] = {
    {6000, 4000, 501, 0.0},    {6000, 3000, 502, 1000.0}, {6000, 2000, 503, 2000.0},
    {5600, 2000, 0, 2400.0},   {5200, 2000, 504, 2800.0}, {5200, 3000, 505, 3800.0},
    {5200, 4000, 506, 4800.0}, {5600, 4000, 0, 5200.0},   {6000, 4000, 501, 5600.0},
};

constexpr ShapePoint kShape6[] = {
    {6000, 4000, 501, 0.0},    {5600, 4000, 0, 400.0},    {5200, 4000, 506, 800.0},
    {5200, 3000, 505, 1800.0}, {5200, 2000, 504, 2800.0}, {5600, 2000, 0, 3200.0},
    {6000, 2000, 503, 3600.0}, {6000, 3000, 502, 4600.0}, {6000, 4000, 501, 5600.0},
};

constexpr ShapePoint kShape7[] = {
    {5200, 5800, 701, 0.0},
    {5633, 5034, 702, 879.9119274109199},
    {6066, 4267, 703, 1760.6945339603453},
    {6500, 3500, 704, 2641.9691790058046},
    {6933, 2734, 705, 3521.8811064167244},
    {7366, 1967, 706, 4402.66371296615},
    {7800, 1200, 707, 5283.938358011609},
    {7900, 1000, 0, 5507.545155761588},
};

constexpr ShapePoint kShape8[] = {
    {7900, 1000, 0, 0.0},
    {7800, 1200, 807, 223.60679774997897},
    {7366, 1967, 806, 1104.881442795438},
    {6933, 2734, 805, 1985.6640493448635},
    {6500, 3500, 804, 2865.5759767557834},
    {6066, 4267, 803, 3746.8506218012426},
    {5633, 5034, 802, 4627.633228350668},
    {5200, 5800, 801, 5507.545155761588},
};

constexpr ShapePoint kShape10[] = {
    {7600, 5000, 1001, 0.0},    {7000, 5000, 1002, 600.0},  {6400, 5000, 0, 1200.0},
    {6400, 5000, 0, 1240.0},    {6400, 4200, 1003, 2040.0}, {6400, 3400, 1004, 2840.0},
    {6400, 2500, 1005, 3740.0},
};

constexpr ShapePoint kShape11[] = {
    {7400, 2200, 1101, 0.0},
    {7400, 1800, 1102, 400.0},
    {7400, 1200, 1103, 1000.0},
};

constexpr ShapePoint kShape12[] = {
    {5000, 6000, 1201, 0.0},
    {5400, 5600, 1202, 565.685424949238},
};

constexpr ShapePoint kShape13[] = {
    {5600, 1600, 1301, 0.0},
    {6200, 1600, 1302, 600.0},
    {6200, 1600, 1303, 600.0},
    {6800, 1600, 1304, 1200.0},
};

constexpr ShapeEntry kShapes[] = {
    {0, nullptr},  {17, kShape1}, {16, kShape2}, {7, kShape3},  {8, kShape4},
    {9, kShape5},  {9, kShape6},  {8, kShape7},  {8, kShape8},  {0, nullptr},
    {7, kShape10}, {3, kShape11}, {2, kShape12}, {4, kShape13},
};

constexpr uint32_t kNone = kNoRouteColour;
constexpr ShapeStyle kShapeStyles[] = {
    {.colour = kNone, .kind = RouteKind::Bus},                       // 0, no shape
    {.colour = 0xFCCC0A, .kind = RouteKind::Metro, .route = 1},      // 1: yellow, too pale on white
    {.colour = 0xFCCC0A, .kind = RouteKind::Metro, .route = 1},      // 2
    {.colour = 0xFFFFFF, .kind = RouteKind::Rail, .route = 2},       // 3: white
    {.colour = 0xFFFFFF, .kind = RouteKind::Rail, .route = 2},       // 4
    {.colour = kNone, .kind = RouteKind::Tram, .route = 3},          // 5: the tram's default
    {.colour = kNone, .kind = RouteKind::Tram, .route = 3},          // 6
    {.colour = 0x0039A6, .kind = RouteKind::Ferry, .route = 4},      // 7: dark enough as it is
    {.colour = 0x0039A6, .kind = RouteKind::Ferry, .route = 4},      // 8
    {.colour = kNone, .kind = RouteKind::Bus},                       // 9, empty entry
    {.colour = 0xFEF0B5, .kind = RouteKind::Bus, .route = 5},        // 10: pale yellow
    {.colour = kNone, .kind = RouteKind::Bus, .route = 6},           // 11: the bus's default
    {.colour = 0xEE352E, .kind = RouteKind::Bus, .route = 7},        // 12
    {.colour = 0x00933C, .kind = RouteKind::Trolleybus, .route = 8}, // 13
};

constexpr int32_t kWeekdayServiceMap[7] = {2, 0, 0, 0, 0, 0, 1};

} // namespace

Network compiled_network() {
    static_assert(std::size(kShapeStyles) == std::size(kShapes));
    return {.header = &kHeader,
            .frequencies = kFrequencyTable,
            .shapes = kShapes,
            .shape_count = 14,
            .weekday_service_map = kWeekdayServiceMap,
            .info = {"Demo", {}, {}, false, 0, 0, "hand-made", {}, {}},
            .shape_styles = kShapeStyles};
}

} // namespace zintu
