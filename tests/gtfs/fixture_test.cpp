// Generation over the fixture feeds, checked through the runs that the
// program's own run builder makes of the generated tables.
#include "fixture_support.h"
#include "gtfs_time.h"
#include "network_compare.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace zintu::gtfs {
namespace {

using namespace testing;

std::vector<int32_t> stop_ids_of(const TableShape& shape) {
    std::vector<int32_t> ids;
    for (const ShapePoint& p : shape.points) {
        if (p.stop_id != 0) ids.push_back(p.stop_id);
    }
    return ids;
}

TEST(Fixtures, OnlyTheMidnightDepartureLeavesASecondLate) {
    // Timetabled trips on the hour and half hour, and a frequencies.txt window
    // every 20 minutes, both from 00:00:00.
    const Generated g = generate_fixtures({"midnight_feed"});
    const BuiltRuns runs(g.tables);
    std::map<std::string, std::vector<int32_t>> starts;
    for (const zintu::Run& run : runs.service(1))
        starts[g.tables.shapes[static_cast<size_t>(run.shape_id)].name].push_back(run.start);
    EXPECT_EQ(starts, (std::map<std::string, std::vector<int32_t>>{
                          {"midnight_feed:stops of trip F-NIGHT", {1, 1200, 2400}},
                          {"midnight_feed:stops of trip N-0000", {1, 1800, 3600, 5400}}}));
    EXPECT_EQ(g.moved_from_midnight, 2);
    // A run a second late is not yet on the road at the half hour its trip leaves.
    EXPECT_EQ(g.fidelity.worst_absolute.difference(), 0);
}

TEST(Fixtures, EachTripRunsFromItsFirstStopToItsLastInItsOwnDirection) {
    const Generated g = generate_fixtures({"shared_shape_feed"});
    // One shape for A-E (the whole trip and the one through FAR), one for the
    // short trip B-D, one for the trip running against the shape, E-A.
    ASSERT_EQ(g.tables.shapes.size(), 12u);
    EXPECT_EQ(g.tables.shapes[9].name, "shared_shape_feed:SH A-E");
    EXPECT_EQ(g.tables.shapes[10].name, "shared_shape_feed:SH B-D");
    EXPECT_EQ(g.tables.shapes[11].name, "shared_shape_feed:SH reversed E-A");
    const auto& short_trip = g.tables.shapes[10].points;
    const auto& back = g.tables.shapes[11].points;
    EXPECT_EQ(stop_ids_of(g.tables.shapes[10]), (std::vector<int32_t>{2, 3, 4}));
    EXPECT_EQ(stop_ids_of(g.tables.shapes[11]), (std::vector<int32_t>{5, 4, 3, 2, 1}));
    // x grows westward: the reversed shape starts in the east, and never turns back.
    EXPECT_LT(back.front().x, back.back().x);
    for (size_t i = 1; i < back.size(); ++i)
        EXPECT_GE(back[i].x, back[i - 1].x) << i;
    EXPECT_LT(short_trip.back().dist, g.tables.shapes[9].points.back().dist / 2 + 1);
    const BuiltRuns runs(g.tables);
    for (const zintu::Run& run : runs.service(1)) {
        // Each run takes its own trip's time (plus the last stop's dwell).
        const int32_t expected = run.shape_id == 10 ? 240 + 9 : 480 + 9;
        EXPECT_EQ(run.end - run.start, expected) << run.shape_id;
    }
    EXPECT_EQ(g.fidelity.worst_absolute.difference(), 0);
    // FAR, 100 km off the line, stands on it and does not stretch the map.
    ASSERT_EQ(g.warnings.size(), 1u);
    EXPECT_EQ(g.warnings[0], fixture("shared_shape_feed") +
                                 "/stops.txt:7: stop 'FAR' lies 100.1 km from shape 'SH A-E': "
                                 "drawn on the shape");
    EXPECT_EQ(g.tables.header.x_span, 5300);
    EXPECT_LT(g.tables.header.y_span, 100);
}

TEST(Fixtures, CalendarDatesAloneSelectTheServiceDays) {
    const Generated g = generate_fixtures({"dates_only_feed"});
    std::vector<int32_t> services;
    for (const TableRow& row : g.tables.rows)
        services.push_back(row.row.service_id);
    EXPECT_EQ(services, (std::vector<int32_t>{1, 3}));
}

TEST(Fixtures, MergedFeedsFeatureTheNamedRoutesAndShapeTheShapeless) {
    const Generated g =
        generate_fixtures({"schedule_feed", "loop_feed", "no_shape_feed"}, {"L", "S"});
    ASSERT_EQ(g.tables.shapes.size(), 11u);
    EXPECT_EQ(g.tables.shapes[1].name, "loop_feed:L-LOOP");
    EXPECT_TRUE(g.tables.shapes[2].points.empty()); // L runs in one direction only
    EXPECT_EQ(g.tables.shapes[3].name, "schedule_feed:S-LINE");
    for (size_t id : {2u, 4u, 5u, 6u, 7u, 8u})
        EXPECT_TRUE(g.tables.shapes[id].points.empty()) << id;
    // Trips without a shape get one through their stops, one per stop pattern.
    EXPECT_EQ(g.tables.shapes[9].name, "no_shape_feed:stops of trip N-0700");
    EXPECT_EQ(g.tables.shapes[10].name, "no_shape_feed:stops of trip N-EXPRESS");
    EXPECT_EQ(stop_ids_of(g.tables.shapes[9]), (std::vector<int32_t>{6, 7, 8}));
    EXPECT_EQ(stop_ids_of(g.tables.shapes[10]), (std::vector<int32_t>{6, 8}));
    EXPECT_EQ(g.tables.shapes[9].points.size() + g.tables.shapes[10].points.size(), 5u);
    // Stops of different feeds are different stops.
    EXPECT_EQ(g.distinct_stops, 4 + 5 + 3);
    EXPECT_EQ(g.fidelity.count_mismatches, 0);
}

TEST(Fixtures, BrokenFeedsStopWithFileLineAndProblem) {
    const std::pair<const char*, std::string> cases[] = {
        {"no_calendar",
         "/calendar.txt: missing: a feed needs calendar.txt, calendar_dates.txt or both"},
        {"frequency_unknown_trip", "/frequencies.txt:3: unknown trip 'T7'"},
        {"unknown_stop", "/stop_times.txt:3: unknown stop 'S9'"},
        {"unknown_shape", "/trips.txt:2: unknown shape 'SH9'"},
        {"unknown_service", "/trips.txt:3: unknown service 'WEEKEND'"},
        {"unknown_route", "/trips.txt:3: unknown route 'Q'"},
        {"bad_time", "/stop_times.txt:3: arrival_time '08:61:00' is not a time (H:MM:SS)"},
        {"timezones_disagree", "/agency.txt:3: agency_timezone 'Europe/Brussels' differs from "
                               "'Europe/Amsterdam' (" +
                                   fixture("broken/timezones_disagree") +
                                   "/agency.txt:2): choose one with --timezone"},
        {"headway_one", "/frequencies.txt:2: headway_secs 1 from 00:00:00 to 48:00:00 makes "
                        "172,800 departures, more than 5,000 a row"},
        {"stop_at_zero", "/stops.txt:7: stop 'S6' at 0.000000, 0.000000 lies 5861.2 km from the "
                         "middle of the network, where nine stops in ten lie within 1.7 km"},
        {"far_shape_point", "/shapes.txt:11: point of shape 'SH' at 0.000000, 0.000000 lies "
                            "5864.5 km from the middle of the network, where nine stops in ten "
                            "lie within 2.8 km"},
    };
    for (const auto& [name, message] : cases) {
        const std::string feed = std::string("broken/") + name;
        EXPECT_EQ(error_of([&] { generate_fixtures({feed}); }), fixture(feed) + message);
    }
    auto options = fixture_options({"frequency_feed"});
    options.week_monday = *parse_iso_date("2027-03-01");
    EXPECT_EQ(error_of([&] { generate(options); }),
              "--week 2027-03-01: no service on Wednesday 2027-03-03; the nearest week with "
              "service on Wednesday is 2026-12-28");
}

// The schedule feed zipped as it is, and under a folder as some agencies ship it.
TEST(Fixtures, ZipFeedsReadLikeDirectories) {
    const Generated plain = generate_fixtures({"schedule_feed"});
    NetworkView directory(plain.tables);
    for (const char* zip : {"schedule_feed.zip", "schedule_feed_in_folder.zip"}) {
        const Generated zipped = generate_fixtures({std::string("zip/") + zip});
        EXPECT_EQ(zintu::testing::table_difference(NetworkView(zipped.tables).network(),
                                                   directory.network()),
                  "")
            << zip;
        EXPECT_EQ(zipped.feed_names[0], zip);
    }
}

} // namespace
} // namespace zintu::gtfs
