// What a run leaves behind: both outputs or neither, and the fidelity checks
// that decide whether it may write them.
#include "fidelity.h"
#include "fixture_support.h"
#include "output_files.h"
#include "report.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

namespace zintu::gtfs {
namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Outputs, WrittenTogetherOrNotAtAll) {
    const fs::path dir = fs::temp_directory_path() / ("zintu-gtfs-out-" + std::to_string(getpid()));
    fs::create_directories(dir / "report.md");
    const std::string cpp = (dir / "net.cpp").string();
    std::ofstream(cpp) << "old";
    // A report path that cannot go with the source, and the problem named.
    const std::pair<std::string, std::string> cases[] = {
        {(dir / "report.md").string(), "/report.md is a folder, not a file"},
        {(dir / "." / "net.cpp").string(), "' name the same file"},
        {(dir / "sub" / ".." / "net.cpp").string(), "' name the same file"},
    };
    for (const auto& [report, problem] : cases) {
        const std::string error = testing::error_of<std::runtime_error>([&] {
            write_files({{cpp, "new"}, {report, "report"}});
        });
        EXPECT_NE(error.find(problem), std::string::npos) << report << ": " << error;
    }
    EXPECT_EQ(read(cpp), "old");
    write_files({{cpp, "new"}, {(dir / "REPORT.md").string(), "report"}});
    EXPECT_EQ(read(cpp), "new");
    EXPECT_EQ(read(dir / "REPORT.md"), "report");
    // Nothing else: no temporary or kept-back file.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
    fs::remove_all(dir);
}

TEST(Outputs, OnRoadCheckAllowsThePercentageOrThreeVehicles) {
    const std::string stray =
        "vehicles on the road stray from the timetable by more than 5 % (or 3 vehicles): "
        "service 1 at 08:15:00 has ";
    // Vehicles in the timetable and in the generated runs; the problem at 5 %.
    const std::tuple<int64_t, int64_t, std::string> cases[] = {
        {78, 78, ""},
        {100, 105, ""},
        {2, 5, ""},
        {0, 3, ""},
        {55, 51, stray + "51, the timetable 55"},
        {78, 129, stray + "129, the timetable 78"}};
    for (const auto& [real, generated, problem] : cases) {
        Fidelity f;
        f.on_road = {{29700, {real, 0, 0}, {generated, 0, 0}}};
        EXPECT_EQ(testing::error_of([&] { check_on_road(f, 5.0); }), problem);
    }
}

TEST(Outputs, MismatchedDepartureCountsStopTheRun) {
    NetworkTables tables;
    tables.shapes.resize(10);
    tables.shapes[9].source = {"feed/shapes.txt", 12};
    Fidelity f;
    f.counts = {{1, 9, 5, 5}, {2, 9, 7, 6}};
    EXPECT_EQ(testing::error_of([&] { check_departure_counts(f, tables); }),
              "feed/shapes.txt:12: shape 9, service 2: the rows yield 6 departures, the timetable "
              "has 7");
}

TEST(Outputs, HeadlineNamesTheWorstQuarterHours) {
    Fidelity f;
    EXPECT_EQ(on_road_headline(f), "- No quarter hour has a vehicle on the road.\n");
    f.worst_absolute = {true, 1, 29700, 78, 129};
    f.worst_relative = {true, 3, 300, 1, 2};
    EXPECT_EQ(on_road_headline(f),
              "- Over every quarter hour with a vehicle on the road, the largest difference is 51 "
              "vehicles (service 1 at 08:15:00: 129 generated, 78 in the timetable), and the "
              "largest relative difference 100.00 % (service 3 at 00:05:00: 2 generated, 1 in the "
              "timetable).\n");
}

} // namespace
} // namespace zintu::gtfs
