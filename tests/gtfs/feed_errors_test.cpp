// Every problem the feed loader stops at, each a row: a small valid feed with
// one table replaced, and the one-line "file:line: reason" it must give.
#include "feed_error.h"
#include "fixture_support.h"
#include "report.h"
#include "source_writer.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>

namespace zintu::gtfs {
namespace {

using Files = std::map<std::string, std::optional<std::string>>; // nullopt: no such table

const Files kBase = {
    {"agency.txt", "agency_id,agency_name,agency_url,agency_timezone\n"
                   "FX,Fixture Transit,https://example.org,Europe/Amsterdam\n"},
    {"calendar.txt", "service_id,monday,tuesday,wednesday,thursday,friday,saturday,sunday,"
                     "start_date,end_date\nWK,1,1,1,1,1,0,0,20260101,20261231\n"},
    {"routes.txt", "route_id,route_short_name,route_type\nR,R,3\n"},
    {"stops.txt", "stop_id,stop_name,stop_lat,stop_lon\nS1,One,52.6,5.60\nS2,Two,52.6,5.61\n"
                  "S3,Three,52.6,5.62\n"},
    {"shapes.txt", "shape_id,shape_pt_lat,shape_pt_lon,shape_pt_sequence\nSH,52.6,5.60,1\n"
                   "SH,52.6,5.62,2\n"},
    {"trips.txt", "route_id,service_id,trip_id,shape_id,direction_id\nR,WK,T1,SH,0\n"},
    {"stop_times.txt", "trip_id,arrival_time,departure_time,stop_id,stop_sequence\n"
                       "T1,08:00:00,08:00:00,S1,1\nT1,08:05:00,08:05:00,S2,2\n"
                       "T1,08:10:00,08:10:00,S3,3\n"},
};

// What generating from kBase with `changes` gives: the error, or "" for a good
// feed (whose source and report are then written in memory, for the
// sanitizers' sake), and the warnings without the feed's folder.
struct Outcome {
    std::string problem;
    std::vector<std::string> warnings;
    ShapeStyle style{0, RouteKind::Tram, -1};
    std::vector<std::string> featured; // the route_id of each --feature
    std::string name;                  // the network's
};

Outcome outcome_of(const Files& changes,
                   const std::function<void(GeneratorOptions&)>& adjust = nullptr) {
    static int counter = 0;
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("zintu-gtfs-feed-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(dir);
    Files files = kBase;
    for (const auto& [name, content] : changes)
        files[name] = content;
    for (const auto& [name, content] : files) {
        if (content) std::ofstream(dir / name, std::ios::binary) << *content;
    }
    auto options = testing::fixture_options({});
    options.feeds = {dir.string()};
    if (adjust) adjust(options);
    const std::string prefix = dir.string() + "/";
    const auto local = [&](std::string text) {
        return text.rfind(prefix, 0) == 0 ? text.erase(0, prefix.size()) : text;
    };
    Outcome out;
    try {
        const Generated g = generate(options);
        write_network_source(g.tables, {});
        write_report(g, {});
        for (const std::string& warning : g.warnings)
            out.warnings.push_back(local(warning));
        for (const TableShape& shape : g.tables.shapes) {
            if (!shape.points.empty()) out.style = shape.style;
        }
        out.featured = g.featured_routes;
        out.name = g.tables.info.name;
    } catch (const FeedError& error) {
        out.problem = local(error.what());
    }
    std::filesystem::remove_all(dir);
    return out;
}

std::string stop_times(const std::string& rows) {
    return "trip_id,arrival_time,departure_time,stop_id,stop_sequence\n" + rows;
}

std::string frequency(const std::string& row) {
    return "trip_id,start_time,end_time,headway_secs,exact_times\n" + row + "\n";
}

TEST(FeedErrors, EachProblemStopsWithItsFileAndLine) {
    struct Case {
        std::string table;
        std::optional<std::string> content;
        std::string expected;
    };
    const std::string long_name(9000, 'x');
    const std::vector<Case> cases = {
        {"stop_times.txt", stop_times("T1,08:00:00,08:00:00,S1,1\n"),
         "trips.txt:2: trip 'T1' has fewer than two stop times"},
        {"stop_times.txt", stop_times("T1,,,S1,1\nT1,08:05:00,08:05:00,S2,2\n"),
         "stop_times.txt:2: trip 'T1' has no time at its first stop"},
        {"stop_times.txt", stop_times("T1,08:00:00,08:00:00,S1,1\nT1,,,S2,2\n"),
         "stop_times.txt:3: trip 'T1' has no time at its last stop"},
        {"stop_times.txt", stop_times("T1,08:00:00,08:00:00,S1,1\nT1,07:59:00,07:59:00,S2,2\n"),
         "stop_times.txt:3: times of trip 'T1' go backwards"},
        {"stop_times.txt", stop_times("T1,08:00:00,08:00:00,S1,1\nT1,08:05:00,08:05:00,S2,1\n"),
         "stop_times.txt:3: duplicate stop_sequence 1 in trip 'T1'"},
        {"stop_times.txt", stop_times("T1,200:00:00,200:00:00,S1,1\nT1,201:00:00,201:00:00,S2,2\n"),
         "stop_times.txt:2: arrival_time '200:00:00' is more than a week after the service "
         "day's midnight"},
        {"stop_times.txt", stop_times("\"T\n9\",08:00:00,08:00:00,S1,1\n"),
         "stop_times.txt:2: unknown trip 'T\\x0a9'"},
        {"frequencies.txt", frequency("T1,09:00:00,08:00:00,600,0"),
         "frequencies.txt:2: end_time is not after start_time"},
        {"frequencies.txt", frequency("T1,08:00:00,09:00:00,600,2"),
         "frequencies.txt:2: exact_times '2' is neither 0 nor 1"},
        {"frequencies.txt", frequency("T1,08:00:00,09:00:00,0,0"),
         "frequencies.txt:2: headway_secs must be at least 1"},
        // Near the top of int32: one departure, and no overflow on the way.
        {"frequencies.txt", frequency("T1,08:00:00,09:00:00,2147483000,0"), ""},
        {"trips.txt", "route_id,service_id,trip_id,shape_id,direction_id\nR,WK,T1,SH,2\n",
         "trips.txt:2: direction_id '2' is neither 0 nor 1"},
        {"shapes.txt",
         "shape_id,shape_pt_lat,shape_pt_lon,shape_pt_sequence\nSH,52.6,5.60,1\nSH,52.6,5.62,1\n",
         "shapes.txt:3: duplicate shape_pt_sequence 1 in shape 'SH'"},
        {"shapes.txt",
         "shape_id,shape_pt_lat,shape_pt_lon,shape_pt_sequence\nSH,52.6,5.60,1\nSH,90.01,5.62,2\n",
         "shapes.txt:3: shape point out of range"},
        {"calendar.txt",
         "service_id,monday,tuesday,wednesday,thursday,friday,saturday,sunday,start_date,"
         "end_date\nWK,yes,1,1,1,1,0,0,20260101,20261231\n",
         "calendar.txt:2: monday 'yes' is neither 0 nor 1"},
        {"calendar_dates.txt", "service_id,date,exception_type\nWK,20260916,3\n",
         "calendar_dates.txt:2: exception_type '3' is neither 1 nor 2"},
        {"calendar_dates.txt", "service_id,date,exception_type\nWK,20260916,2\nWK,20260916,1\n",
         "calendar_dates.txt:3: service 'WK' is both added and removed on the same date"},
        // A row given twice, and a removal and an addition on different dates, are fine.
        {"calendar_dates.txt",
         "service_id,date,exception_type\nWK,20260915,2\nWK,20260915,2\nWK,20260919,1\n", ""},
        {"stops.txt", "stop_id,stop_name,stop_lat,stop_lon\nS1," + long_name + ",52.6,5.6\n",
         "stops.txt:2: field 2 is longer than 8192 bytes: '" + std::string(64, 'x') + "'..."},
        {"agency.txt", std::nullopt, "agency.txt: missing required file"},
        {"agency.txt",
         "agency_id,agency_name,agency_url,agency_timezone\nFX,Fixture,https://x.org,../Europe\n",
         "agency.txt:2: agency_timezone '../Europe' is not a zone of the zone database in " +
             testing::fixture("zoneinfo")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(outcome_of({{c.table, c.content}}).problem, c.expected) << c.table;
}

TEST(FeedErrors, RouteLooksItCannotUseAreWarnings) {
    const std::string head = "route_id,route_short_name,route_type,route_color\nR,R,";
    const std::string type = "routes.txt:2: route_type '";
    const std::string bus = "' is not a kind of route this program knows: drawn as a bus";
    const std::string colour = "routes.txt:2: route_color 'FF00' is not six hex digits: the route "
                               "is drawn in its kind's colour";
    using K = RouteKind;
    // clang-format off
    const std::tuple<std::string, uint32_t, RouteKind, std::vector<std::string>> cases[] = {
        {head + "1,ee352E\n", 0xEE352E, K::Metro, {}}, {head + "109,\n", kNoRouteColour, K::Rail, {}},
        {head + " 3 ,FF00\n", kNoRouteColour, K::Bus, {colour}},
        {head + "99,000000\n", 0, K::Bus, {type + "99" + bus}},
        {head + ",FF00\n", kNoRouteColour, K::Bus, {colour, type + bus}},
        {"route_id,route_color\nR,FFFFFF\n", 0xFFFFFF, K::Bus,
         {"routes.txt: no route_type column: every route is drawn as a bus"}}};
    // clang-format on
    for (const auto& [routes, colour_of, kind, warnings] : cases) {
        const Outcome out = outcome_of({{"routes.txt", routes}});
        EXPECT_EQ(std::tie(out.problem, out.warnings, out.style.colour, out.style.kind),
                  std::make_tuple("", warnings, colour_of, kind))
            << routes;
    }
}

// Route 7 of last year has no trip, so its name names this year's.
TEST(FeedErrors, FeaturedByShortNameTakesTheRouteThatRuns) {
    const std::string routes = "route_id,route_short_name,route_type\nOLD,7,3\nR,7,3\n";
    const Outcome out = outcome_of({{"routes.txt", routes}}, [](auto& o) { o.featured = {"7"}; });
    EXPECT_EQ(out.problem, "");
    EXPECT_EQ(out.featured, std::vector<std::string>{"R"});
}

TEST(FeedErrors, TheNetworksNameKeepsItsCharacters) {
    const std::pair<std::string, std::string> names[] = {
        {"Z\u00fcrich \u2013 \u20ac \U0001F68B", "Z\u00fcrich \u2013 \u20ac \U0001F68B"},
        {"bad \xff\xe2\x82 bytes", "bad ??? bytes"},
        {"\xED\xA0\x80 \u0800\U00010000", "??? \u0800\U00010000"}, // a surrogate, the least codes
        {"tab\tand\u0085", "tab and "}};
    for (const auto& [name, kept] : names)
        EXPECT_EQ(outcome_of({}, [&](auto& o) { o.name = name; }).name, kept);
}

// Limits of the generated tables, on their edge: one run of three stops, and
// a line one unit high that would be too wide.
TEST(FeedErrors, TablesBeyondTheirLimitsAreRefused) {
    const std::pair<std::function<void(GeneratorOptions&)>, std::string> cases[] = {
        {[](auto& o) { o.limits.stop_timings = 3; }, ""},
        {[](auto& o) { o.limits.stop_timings = 2; },
         "trips.txt:2: the rows make more than 2 stop timings in all"},
        {[](auto& o) { o.limits.departures = 1; }, ""},
        {[](auto& o) { o.limits.departures = 0; },
         "trips.txt:2: more than 0 departures in all on the three days"},
        {[](auto& o) { o.units_per_km = 1e10; },
         "the map would be too large for 32-bit coordinates: lower --units-per-km"},
    };
    for (const auto& [adjust, problem] : cases)
        EXPECT_EQ(outcome_of({}, adjust).problem, problem);
}

} // namespace
} // namespace zintu::gtfs
