// The network's time zone: the TZ rule read from a TZif file's footer, and
// the zone chosen from the agencies or --timezone.
#include "fixture_support.h"
#include "time_zone.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace zintu::gtfs {
namespace {

// A TZif file with one local time type and no transitions.
std::string tzif(char version, const std::string& footer, uint8_t time_count = 0) {
    std::string header = std::string("TZif") + version + std::string(15, '\0');
    const uint8_t counts[6] = {0, 0, 0, time_count, 1, 4};
    for (uint8_t count : counts)
        header += std::string(3, '\0') + static_cast<char>(count);
    const std::string data = std::string("\0\0\x0e\x10\0\0CET\0", 10);
    if (version == '\0') return header + data;
    return header + data + header + data + footer;
}

TEST(TimeZone, RuleIsTheFooterOfAVersion2File) {
    const std::pair<std::string, std::string> cases[] = {
        {tzif('2', "\nCET-1CEST,M3.5.0,M10.5.0/3\n"), "CET-1CEST,M3.5.0,M10.5.0/3"},
        {tzif('3', "\n<+0330>-3:30\n"), "<+0330>-3:30"},
        {tzif('\0', ""), "is a version 1 TZif file, without a TZ rule"},
        {tzif('2', "\n\n"), "has an empty TZ rule"},
        {tzif('2', ""), "has no TZ rule at the end of its TZif file"},
        {tzif('2', "\nCET-1"), "has no TZ rule at the end of its TZif file"},
        {tzif('2', "\nCET\x01-1\n"), "has a malformed TZ rule"},
        {tzif('2', "\nCET-1CEST,M3.5.0\n"), "has a TZ rule the saver cannot read"},
        {tzif('2', "\nCET-1\n", 200), "is a truncated TZif file"},
        {"TZif2", "is not a TZif file"},
    };
    for (const auto& [bytes, expected] : cases) {
        std::string rule;
        const auto problem =
            testing::error_of<std::invalid_argument>([&] { rule = tzif_rule(bytes); });
        EXPECT_EQ(rule + problem, expected);
    }
}

TEST(TimeZone, ZonesComeFromTheDatabaseByName) {
    const std::string dir = testing::fixture("zoneinfo");
    EXPECT_EQ(load_time_zone(dir, "Europe/Amsterdam").rule, "CET-1CEST,M3.5.0,M10.5.0/3");
    for (const char* bad : {"Europe", "Europe/", "/Europe/Amsterdam", "Europe/../Europe/Amsterdam",
                            "Europe//Amsterdam", "Europe/Nowhere", "America/New York", ""})
        EXPECT_THROW(load_time_zone(dir, bad), std::invalid_argument) << bad;
    // The system's own database, where there is one: a zone whose rule the
    // saver then keeps time by.
    if (std::filesystem::exists(std::string(kZoneInfoDir) + "/America/New_York")) {
        EXPECT_EQ(load_time_zone(kZoneInfoDir, "America/New_York").rule, "EST5EDT,M3.2.0,M11.1.0");
    }
}

// Disagreeing agencies stop the run (the broken timezones_disagree feed).
TEST(TimeZone, TimezoneOptionChoosesBetweenAgencies) {
    Feed feed;
    feed.agency_file = "a/agency.txt";
    feed.agencies = {{"One", "Europe/Amsterdam", 2}, {"Two", "Europe/Brussels", 3}};
    const std::string dir = testing::fixture("zoneinfo");
    EXPECT_EQ(network_time_zone({feed}, "Europe/Brussels", dir).name, "Europe/Brussels");
    EXPECT_THROW(network_time_zone({feed}, "Mars/Olympus", dir), FeedError);
}

} // namespace
} // namespace zintu::gtfs
