// `zintu --info` on the committed first-format file, as it is and with the
// week, colours and route styles a second-format file carries.
#include "host/network_choice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace zintu {
namespace {

std::string info_of(const Network& network) {
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    print_network_info(network, out);
    std::fclose(out);
    std::string result(text, size);
    std::free(text);
    return result;
}

TEST(NetworkInfo, ShowsTheWeekTheColoursAndTheRoutesOfEachKind) {
    LoadedNetwork net;
    ASSERT_EQ(load_network_file(ZINTU_FIXTURES_DIR "/format1.zintu", net), "");
    std::string text = info_of(net.view());
    for (const char* line :
         {"\nweek: not recorded\n", "\ncolours: featured (the network records no route colours)\n",
          "\nroutes: not recorded\n", "\nfrequency rows: 12 "})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;

    // Shapes 1 and 2 one bus route, the others with points a tram route with a
    // colour of its own, as the generator numbers them.
    for (size_t id = 0; id < net.shapes.size(); ++id) {
        const int32_t route = net.shapes[id].shape_size == 0 ? 0 : id <= 2 ? 1 : 2;
        net.shape_styles.push_back(route == 2 ? ShapeStyle{0xFFD700, RouteKind::Tram, 2}
                                              : ShapeStyle{kNoRouteColour, RouteKind::Bus, route});
    }
    net.week = "2026-09-14";
    text = info_of(net.view());
    for (const char* line : {"\nweek: 2026-09-14\n",
                             "\ncolours: featured (four featured routes and one common colour)\n",
                             "\nroutes: 2 (1 tram, 1 bus); route colours: 1 of 2\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    net.colours = NetworkColours::Lines;
    EXPECT_NE(info_of(net.view()).find("\ncolours: lines (each route in its own colour)\n"),
              std::string::npos);
}

} // namespace
} // namespace zintu
