// The generator's command line.
#include "gtfs_time.h"
#include "options.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zintu::gtfs {
namespace {

TEST(Options, ParsesAFullCommandLine) {
    // clang-format off
    const auto parsed = parse_options(
        {"--week", "2026-09-14", "-o", "out/net.cpp", "--feature", "N", "--feature=4",
         "--units-per-km", "120.5", "--max-offset", "90", "--duration-spread", "20",
         "--name", "Metro", "--downtown", "40.7075,-74.011", "--timezone", "America/New_York",
         "--max-on-road-diff", "5", "a.zip", "dir"});
    // clang-format on
    ASSERT_EQ(parsed.error, "");
    const Options& o = parsed.options;
    const GeneratorOptions& g = o.generator;
    using V = std::vector<std::string>;
    EXPECT_EQ(std::tie(o.output, o.report, g.featured, g.feeds, *g.name, *g.time_zone),
              std::make_tuple("out/net.cpp", "out/REPORT.md", V{"N", "4"}, V{"a.zip", "dir"},
                              "Metro", "America/New_York"));
    EXPECT_EQ(std::tie(*g.week_monday, g.banding.max_offset), std::make_tuple(20710, 90));
    EXPECT_EQ(std::tie(*g.units_per_km, g.downtown->lat, g.downtown->lon, *g.max_on_road_diff),
              std::make_tuple(120.5, 40.7075, -74.011, 5.0));
    EXPECT_DOUBLE_EQ(g.banding.duration_spread, 0.2);
    Options env = o;
    EXPECT_EQ(apply_environment(env, "1789000000", "/tz", 7), "");
    EXPECT_EQ(env.generator.generated_at, 1789000000);
    EXPECT_EQ(env.generator.zoneinfo_dir, "/tz");
    EXPECT_EQ(apply_environment(env, nullptr, nullptr, 7), "");
    EXPECT_EQ(env.generator.generated_at, 7);
    for (const char* bad : {"", "-1", "12x", "1e9", "99999999999999"})
        EXPECT_EQ(apply_environment(env, bad, nullptr, 7),
                  "SOURCE_DATE_EPOCH: '" + std::string(bad) +
                      "' is not a number of seconds since 1970");
}

TEST(Options, RejectsBadCommandLinesWithOneReason) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no feed given"},
        {{"--week", "2026-09-15", "-o", "x", "f"}, "--week: 2026-09-15 is not a Monday"},
        {{"--week", "14/09/2026"}, "--week: '14/09/2026' is not a date (YYYY-MM-DD)"},
        {{"--week"}, "--week: missing value"},
        {{"--units-per-km", "-3"}, "--units-per-km: '-3' is not a positive number"},
        {{"--max-offset", "1.5"},
         "--max-offset: '1.5' is not a whole number of seconds from 1 to 86400"},
        {{"--feature", "A", "--feature", "B", "--feature", "C", "--feature", "D", "--feature", "E"},
         "--feature: at most 4 featured routes"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--help=yes"}, "unknown option '--help'"},
        {{"--downtown", "40.7"}, "--downtown: '40.7' is not a latitude and longitude (LAT,LON)"},
        {{"--downtown", "91,0"}, "--downtown: '91,0' is not a latitude and longitude (LAT,LON)"},
        {{"--max-on-road-diff", "-1"},
         "--max-on-road-diff: '-1' is not a percentage from 0 to 1000"},
        {{"--name="}, "--name: empty name"},
        {{"--week", "2026-09-14", "-o", "out/a.cpp", "--report", "out/x/../a.cpp", "f"},
         "'out/a.cpp' and 'out/x/../a.cpp' name the same file"},
    };
    for (const auto& [args, error] : cases)
        EXPECT_EQ(parse_options(args).error, error);
    EXPECT_TRUE(parse_options({"--help"}).options.help);
    EXPECT_FALSE(parse_options({"feed"}).options.generator.week_monday);
    EXPECT_EQ(parse_options({"--", "--odd-feed-name"}).options.generator.feeds,
              (std::vector<std::string>{"--odd-feed-name"}));
}

// Without -o: in the current folder, with the report beside it.
TEST(Options, DefaultOutputIsNamedAfterTheNetwork) {
    const std::string a98(98, 'a');
    // clang-format off
    const std::pair<std::string, std::string> names[] = {
        {"Fixture Transit", "Fixture-Transit"}, {"Z\u00fcrich / ZVV", "Z\u00fcrich-ZVV"},
        {"MTA New York City Transit, MTA Bus", "MTA-New-York-City-Transit-MTA-Bus"},
        {"../../etc/passwd", "etc-passwd"}, {"-rf .", "rf"}, {"v1.2_beta.", "v1.2_beta"},
        {"...", "network"}, {"", "network"}, {"azAZ09~\u0400", "azAZ09-\u0400"}, // U+0400 ends in 0x80
        {std::string(150, '\x80'), "network"}, // no character starts within the limit
        {a98 + "a\u00fc", a98 + "a"}, {a98 + "\u00fc", a98 + "\u00fc"}}; // cut between characters
    // clang-format on
    for (const auto& [name, file] : names)
        EXPECT_EQ(network_file_name(name), file + ".zintu") << name;
    ParsedOptions parsed = parse_options({"city.zip"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(complete_outputs(parsed.options, "City"), "");
    EXPECT_EQ(std::tie(parsed.options.output, parsed.options.report),
              std::make_tuple("City.zintu", "REPORT.md"));
    parsed = parse_options({"--report", "City.zintu", "city.zip"});
    EXPECT_EQ(complete_outputs(parsed.options, "City"),
              "'City.zintu' and 'City.zintu' name the same file");
}

} // namespace
} // namespace zintu::gtfs
