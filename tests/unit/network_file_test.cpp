// Network files: the layout at its offsets, the first format still read, and
// damaged or hostile files refused with one line naming the file and the fault.
#include "host/network_choice.h"
#include "network/network_file.h"
#include "network_compare.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <tuple>

namespace zintu {
namespace {

constexpr const char* kFile = "t.zintu";

// The demo's tables with metadata of the test's own, so the offsets stay fixed.
void load_demo(LoadedNetwork& out) {
    ASSERT_EQ(decode_network(encode_network(compiled_network()), kFile, out), "");
    out.name = out.time_zone = out.tz_rule = out.source = out.generated = out.summary = "";
    out.has_downtown = false;
    out.downtown_x = out.downtown_y = 0;
    out.week.clear();
    out.colours = NetworkColours::Featured;
    out.shape_styles.clear();
}

// Shape N is route N, a bus without a colour; empty entries have no route.
void add_styles(LoadedNetwork& l) {
    l.shape_styles.clear();
    for (const ShapeEntry& shape : l.shapes) {
        const auto id = static_cast<int32_t>(l.shape_styles.size());
        l.shape_styles.push_back({kNoRouteColour, RouteKind::Bus, shape.shape_size > 0 ? id : 0});
    }
}

ShapePoint& point(LoadedNetwork& l, int32_t shape, int32_t index) {
    return l.points[static_cast<size_t>(l.shapes[size_t(shape)].points - l.points.data() + index)];
}

uint32_t get_u32(const std::string& b, size_t at) {
    return uint32_t{uint8_t(b[at])} | uint32_t{uint8_t(b[at + 1])} << 8 |
           uint32_t{uint8_t(b[at + 2])} << 16 | uint32_t{uint8_t(b[at + 3])} << 24;
}

void put_u32(std::string& b, size_t at, int64_t value) {
    for (size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
}

std::string refused(const std::string& error) {
    return error.empty() ? "" : std::string(kFile) + ": " + error;
}

TEST(NetworkFile, FieldsSitAtTheirOffsetsAndMetadataComesBack) {
    LoadedNetwork net;
    load_demo(net);
    std::tie(net.name, net.time_zone, net.tz_rule, net.source, net.generated, net.summary) =
        std::make_tuple("Z\u00fcrich", "Europe/Zurich", "CET-1CEST,M3.5.0,M10.5.0/3", "hand-made",
                        "2026-09-23T03:19:00Z", "exact");
    std::tie(net.has_downtown, net.downtown_x, net.downtown_y) = std::make_tuple(true, 3000, -6000);
    std::tie(net.week, net.colours) = std::make_tuple("2026-09-14", NetworkColours::Lines);
    add_styles(net);
    net.shape_styles[1].colour = 0xEE352E;
    net.shape_styles[1].kind = RouteKind::Metro;
    const std::string bytes = encode_network(net.view());
    EXPECT_EQ(bytes.substr(0, 8), "ZINTUNET");
    // Header, counts, weekday map, metadata, colours, style count, row 0, shape
    // sizes 0, 1, 13, shape 1's first points (250.0 is 0x406F4000 00000000), styles 0, 1.
    // clang-format off
    const std::pair<size_t, uint32_t> fields[] = {
        {12, 2}, {16, 2924}, {20, 7900}, {32, 1000}, {52, 23}, {56, 14}, {60, 98}, {64, 2},
        {68, 0}, {88, 1}, {92, 1}, {96, 3000}, {100, 0xFFFFE890u}, {104, 7}, {108, 13}, {112, 26},
        {116, 9}, {120, 20}, {124, 5}, {128, 10}, {132, 1}, {136, 14}, {140, 1}, {144, 300},
        {148, 1800}, {152, 18000}, {156, 86400}, {160, 1}, {692, 0}, {696, 17}, {744, 4},
        {748, 7000}, {752, 5500}, {756, 101}, {760, 0}, {764, 0}, {780, 0}, {784, 0x406F4000u},
        {2708, 0xFFFFFFFFu}, {2713, 0}, {2717, 0xEE352E}, {2722, 1},
    };
    // clang-format on
    for (const auto& [offset, value] : fields)
        EXPECT_EQ(get_u32(bytes, offset), value) << "offset " << offset;
    EXPECT_EQ(bytes[2712], 3); // bus
    EXPECT_EQ(bytes[2721], 1); // metro
    EXPECT_EQ(bytes.substr(2834), "Z\u00fcrichEurope/ZurichCET-1CEST,M3.5.0,M10.5.0/3hand-made"
                                  "2026-09-23T03:19:00Zexact2026-09-14");
    LoadedNetwork back;
    ASSERT_EQ(decode_network(bytes, kFile, back), "");
    const NetworkInfo i = back.view().info;
    EXPECT_EQ(std::tie(i.name, i.time_zone, i.tz_rule, i.source, i.generated, i.summary,
                       i.has_downtown, i.downtown_x, i.downtown_y, i.week, i.colours),
              std::tie(net.name, net.time_zone, net.tz_rule, net.source, net.generated, net.summary,
                       net.has_downtown, net.downtown_x, net.downtown_y, net.week, net.colours));
    EXPECT_EQ(testing::table_difference(back.view(), net.view()), "");
}

// Written before files carried styles: drawn featured, of no known week.
TEST(NetworkFile, FirstFormatStillLoads) {
    LoadedNetwork v1, again;
    ASSERT_EQ(load_network_file(ZINTU_FIXTURES_DIR "/format1.zintu", v1), "");
    const Network n = v1.view();
    EXPECT_EQ(n.shape_styles, nullptr);
    EXPECT_EQ(n.info.colours, NetworkColours::Featured);
    EXPECT_EQ(n.info.week, "");
    EXPECT_EQ(std::tie(n.info.name, n.info.generated, n.header->frequency_count, n.shape_count),
              std::make_tuple("Fixture Transit", "2026-09-10T00:26:40Z", 12, 9));
    ASSERT_EQ(decode_network(encode_network(n), kFile, again), "");
    EXPECT_EQ(testing::table_difference(again.view(), n), "");
}

// Damage to the bytes themselves. The demo's file has 2,708 bytes: 140 of
// fixed part, 23 rows from 140, 14 shape sizes from 692, 98 points from 748.
TEST(NetworkFile, DamagedBytesAreRefusedInOneLine) {
    using B = std::string;
    const std::pair<std::function<void(B&)>, std::string> files[] = {
        {[](B& b) { b = "PK\x03\x04 a zip"; }, "not a network file"},
        {[](B& b) { b.resize(19); }, "truncated: 19 bytes"},
        {[](B& b) { b.pop_back(); }, "truncated: 2707 of its 2708 bytes"},
        {[](B& b) { b += 'x'; }, "longer than the 2708 bytes its header gives"},
        {[](B& b) { b.resize(130), put_u32(b, 16, 130); },
         "its 130 bytes are fewer than the 140 of the fixed part"},
        {[](B& b) { b.resize(130), put_u32(b, 12, 1), put_u32(b, 16, 130), seal_network_file(b); },
         "the counts describe 2696 bytes, the file has 130"}, // 128 are enough for version 1
        {[](B& b) { b[8] ^= 1; }, "damaged: the checksum does not match"},
        {[](B& b) { put_u32(b, 692, 1), put_u32(b, 696, 16), seal_network_file(b); },
         "shape 0 is not empty (shape id 0 stands for no shape)"},
    };
    // One field set to a value; sealed: size and CRC made right after it.
    const std::tuple<size_t, int64_t, bool, std::string> fields[] = {
        {12, 3, false, "format version 3 is not supported (this program reads 1 to 2)"},
        {12, 0, false, "format version 0 is not supported (this program reads 1 to 2)"},
        {16, 0xFFFFFFFF, false,
         "its header gives 4294967295 bytes, more than any network (237002990)"},
        {52, -1, true, "frequency_count -1 is outside 0 to 1000000"},
        {52, 24, true, "the counts describe 2732 bytes, the file has 2708"}, // one row more
        {56, 0, true, "shape_count 0 is outside 1 to 1000000"},
        {60, -1, true, "point_count -1 is outside 0 to 10000000"},
        {92, 2, true, "has_downtown 2 is outside 0 to 1"},
        {104, 0xFFFFFFFF, true, "name: 4294967295 bytes, more than 200"},
        {128, 11, true, "week: 11 bytes, more than 10"},
        {132, 2, true, "colours 2 is outside 0 to 1"},
        {136, 13, true, "style_count 13 is neither 0 nor shape_count 14"},
        {136, 14, true, "the counts describe 2834 bytes, the file has 2708"},
        {696, -1, true, "shape 1: -1 points"},
        {696, 18, true, "the shapes have 99 points in all, point_count says 98"},
        {784, 0x7FF80000, true, "shape 1: point 1: dist is not a number from 0 to 1000000000"},
    };
    LoadedNetwork net;
    load_demo(net);
    const std::string good = encode_network(net.view());
    ASSERT_EQ(good.size(), 2708u);
    for (const auto& [change, error] : files) {
        std::string bytes = good;
        change(bytes);
        EXPECT_EQ(decode_network(bytes, kFile, net), refused(error));
    }
    for (const auto& [offset, value, seal, error] : fields) {
        std::string bytes = good;
        put_u32(bytes, offset, value);
        if (seal) seal_network_file(bytes);
        EXPECT_EQ(decode_network(bytes, kFile, net), refused(error));
    }
}

// Sound bytes, broken tables; "" where accepted. Row 0 is service 1 on shape 1, 18000
// to 86400; shape 1 has 17 points, the last at dist 4000; shape 12 has two stops, no row.
TEST(NetworkFile, BrokenInvariantsAreRefusedInOneLine) {
    using L = LoadedNetwork;
    // clang-format off
    const std::pair<std::function<void(L&)>, std::string> cases[] = {
        {[](L& l) { point(l, 12, 0).x = l.header.x_max = 6001, l.header.x_span = 5001,
                    l.header.x_center = 3501; },
         "header: x_center is 3501, the shape points give 3500"},
        {[](L& l) { l.points.clear(); for (ShapeEntry& s : l.shapes) s = {0, nullptr}; },
         "no shape has a point"},
        {[](L& l) { l.weekday_service_map[2] = 3; },
         "weekday 2 names run list 3; the lists are 0, 1 and 2"},
        {[](L& l) { l.frequencies[5].service_id = 4; },
         "frequency row 5: service_id 4 is not 1, 2 or 3"},
        {[](L& l) { l.frequencies[0].end_time = 604801; },
         "frequency row 0: end_time 604801 is outside 0 to 604800"},
        {[](L& l) { l.frequencies[0].shape_id = 14; },
         "frequency row 0: shape_id 14 is outside the shape table"},
        {[](L& l) { point(l, 12, 0).stop_id = point(l, 12, 1).stop_id = 0,
                    l.frequencies[0].shape_id = 12; },
         "frequency row 0: shape 12 has no stop point"},
        {[](L& l) { point(l, 12, 0).stop_id = point(l, 12, 1).stop_id = 0; }, ""}, // if unused
        {[](L& l) { l.frequencies[0].start_time = 90000; }, ""}, // a reversed window
        {[](L& l) { point(l, 1, 0).y = 10000001; },
         "shape 1: point 0 (5500, 10000001) lies outside ±10000000"},
        {[](L& l) { point(l, 1, 2).stop_id = -1; }, "shape 1: point 2: stop_id -1 is negative"},
        {[](L& l) { point(l, 1, 16).dist = 2e9; },
         "shape 1: point 16: dist is not a number from 0 to 1000000000"},
        {[](L& l) { point(l, 1, 0).dist = 1.0; }, "shape 1: dist does not start at 0"},
        {[](L& l) { point(l, 1, 4).dist = 700.0; }, "shape 1: dist decreases at point 4"},
        {[](L& l) { point(l, 12, 1).dist = 0.0; }, "shape 12: the last dist is not above 0"},
        {[](L& l) { l.has_downtown = true, l.downtown_x = 10000001; },
         "the downtown point (10000001, 0) lies outside ±10000000"},
        {[](L& l) { l.name = "Line\nTwo"; }, "name: control character at byte 4"},
        {[](L& l) { l.source = "a\x7f"; }, "source: control character at byte 1"},
        {[](L& l) { l.time_zone = "\xC2\x85"; }, "time_zone: control character at byte 0"}, // C1
        {[](L& l) { l.tz_rule = "EST\xC3"; }, "tz_rule: not UTF-8 at byte 3"}, // a cut sequence
        {[](L& l) { l.tz_rule = "America/New_York"; },
         "tz_rule: not a POSIX TZ rule this program reads"},
        {[](L& l) { l.name = "\xC0\xAF"; }, "name: not UTF-8 at byte 0"}, // an overlong slash
        {[](L& l) { l.generated = "\xED\xBF\xBF"; }, "generated: not UTF-8 at byte 0"}, // surrogate
        {[](L& l) { l.name.assign(201, 'a'); }, "name: 201 bytes, more than 200"},
        {[](L& l) { add_styles(l), l.colours = NetworkColours::Lines, l.week = "2024-02-26"; }, ""},
        {[](L& l) { add_styles(l), l.shape_styles[3].colour = 0xFFFFFF; }, ""},
        {[](L& l) { add_styles(l), l.shape_styles[3].colour = 0x1000000; },
         "shape 3: colour 0x1000000 is neither 0xRRGGBB nor none"},
        {[](L& l) { add_styles(l), l.shape_styles[3].kind = RouteKind{8}; },
         "shape 3: route kind 8 is not one this program knows"},
        {[](L& l) { add_styles(l), l.shape_styles[3].kind = RouteKind::Monorail; }, ""},
        {[](L& l) { add_styles(l), l.shape_styles[3].route = 13; }, ""},
        {[](L& l) { add_styles(l), l.shape_styles[3].route = 14; },
         "shape 3: route 14 is outside 0 to 13"},
        {[](L& l) { add_styles(l), l.shape_styles[3].route = -1; },
         "shape 3: route -1 is outside 0 to 13"},
        {[](L& l) { add_styles(l), l.shape_styles[5] = {0, RouteKind::Tram, 3}; },
         "shape 5: route 3 has kind tram here and bus at shape 3"},
        {[](L& l) { add_styles(l), l.shape_styles[5] = {0, RouteKind::Bus, 3}; }, ""},
        {[](L& l) { l.colours = NetworkColours::Lines; },
         "colours: lines, but the shapes have no styles"},
        {[](L& l) { l.week = "2026-09-15"; }, "week: not a Monday written YYYY-MM-DD"},
        {[](L& l) { l.week = "2026-02-30"; }, "week: not a Monday written YYYY-MM-DD"},
        {[](L& l) { l.week = "2026-9-14x"; }, "week: not a Monday written YYYY-MM-DD"},
        {[](L& l) { l.week = "1969-12-29"; }, ""},
        {[](L& l) { l.name = "Z\u00fcrich \u2013 \u5317\u4eac \U0001F68B"; }, ""},
        {[](L& l) { l.name = "\u0800\U00010000\U0010FFFF"; }, ""}, // least and greatest
        // 23 rows with a departure every second from 00:00:01 for a week.
        {[](L& l) { for (FrequencyRow& r : l.frequencies) r = {1, 1, 600, 1, 604800, 1}; },
         "the rows make 13910377 runs, more than 1000000"},
        // One row of 604,799 runs on a line of 50 stops.
        {[](L& l) {
             l.points.clear();
             for (int32_t i = 0; i < 50; ++i) l.points.push_back({i, i, i + 1, double(i)});
             l.shapes = {{0, nullptr}, {50, l.points.data()}};
             l.frequencies = {{1, 1, 600, 1, 604800, 1}};
             l.header = {49, 0, 49, 0, 49, 49, 24, 24, 1};
         }, "the rows make 30239950 stop timings, more than 25000000"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto& [change, error] = c;
        LoadedNetwork changed, loaded;
        load_demo(changed);
        change(changed);
        EXPECT_EQ(decode_network(encode_network(changed.view()), kFile, loaded), refused(error))
            << "case " << &c - cases;
    }
}

TEST(NetworkFile, LoadingSaysWhyAFileCannotBeRead) {
    const std::string dir = ::testing::TempDir(), zeros = dir + "zintu_zeros.zintu",
                      missing = dir + "zintu_missing.zintu";
    std::ofstream(zeros, std::ios::binary) << std::string(300000, '\0'); // refused after a piece
    const std::pair<std::string, std::string> cases[] = {
        {missing, missing + ": cannot read: No such file or directory"},
        {dir, dir + ": cannot read: Is a directory"},
        {zeros, zeros + ": not a network file"},
    };
    LoadedNetwork loaded;
    for (const auto& [path, error] : cases)
        EXPECT_EQ(load_network_file(path, loaded), error) << path;
    std::remove(zeros.c_str());
}

// --info's totals: each is the sum of the three services' counts beside it.
TEST(NetworkInfo, EachTotalIsTheSumOfItsServices) {
    std::FILE* out = std::tmpfile();
    print_network_info(compiled_network(), out);
    std::string text(static_cast<size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    text.resize(std::fread(text.data(), 1, text.size(), out));
    std::fclose(out);
    for (const std::string line : {"\nfrequency rows: ", "\nruns: "}) {
        const size_t at = text.find(line);
        ASSERT_NE(at, std::string::npos) << line;
        long long total = 0, a = 0, b = 0, c = 0;
        EXPECT_EQ(std::sscanf(text.c_str() + at + line.size(),
                              "%lld (%lld weekday, %lld Saturday, %lld", &total, &a, &b, &c),
                  4);
        EXPECT_TRUE(a > 0 && b > 0 && c > 0 && total == a + b + c) << text;
    }
}

} // namespace
} // namespace zintu
