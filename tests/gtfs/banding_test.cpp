// Time bands: every band reproduces exactly its departures, each within the
// offset limit, with the mean duration as its run time.
#include "banding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <tuple>

namespace zintu::gtfs {
namespace {

std::vector<Departure> departures(const std::vector<int32_t>& times, int32_t duration = 1200) {
    std::vector<Departure> out;
    for (size_t i = 0; i < times.size(); ++i)
        out.push_back({times[i], duration, static_cast<int32_t>(i)});
    return out;
}

// The bands' departures, merged and sorted, against the input's: same count,
// and each paired departure within the offset limit.
void expect_faithful(const std::vector<Departure>& input, const std::vector<Band>& bands,
                     const BandingLimits& limits) {
    std::vector<int32_t> generated;
    for (const Band& band : bands) {
        ASSERT_GE(band.headway, 1);
        ASSERT_LE(band.headway, limits.max_headway);
        const auto times = band_departures(band);
        ASSERT_EQ(static_cast<int32_t>(times.size()), band.count);
        generated.insert(generated.end(), times.begin(), times.end());
    }
    std::vector<int32_t> real;
    for (const Departure& d : input)
        real.push_back(d.time);
    std::sort(real.begin(), real.end());
    std::sort(generated.begin(), generated.end());
    ASSERT_EQ(generated.size(), real.size());
    for (size_t i = 0; i < real.size(); ++i)
        EXPECT_LE(std::abs(generated[i] - real[i]), limits.max_offset) << "departure " << i;
}

std::vector<int32_t> every(int32_t start, int32_t headway, int count) {
    std::vector<int32_t> times;
    for (int k = 0; k < count; ++k)
        times.push_back(start + headway * k);
    return times;
}

TEST(Banding, HeadwaysMakeBands) {
    using Bands = std::vector<std::tuple<int32_t, int32_t, int32_t>>; // start, headway, count
    struct Case {
        const char* what;
        std::vector<int32_t> times;
        Bands bands;
    } cases[] = {
        {"regular departures make one exact band", every(21780, 282, 38), {{21780, 282, 38}}},
        {"every 10 minutes, then every 4, then hourly",
         {21600, 22200, 22800, 23400, 24000, 25200, 25440, 25680, 25920, 26160, 26400, 30000, 33600,
          37200},
         {{21600, 600, 5}, {25200, 240, 6}, {30000, 3600, 3}}},
        // A lone departure's window ends where the next leaves, capped at the longest headway.
        {"three hours apart are a pause, not a headway",
         {36000, 46800, 47400},
         {{36000, 3600, 1}, {46800, 600, 2}}},
        // A row cannot start at 0.
        {"midnight moves one departure, not its band",
         every(0, 1800, 4),
         {{1, 1799, 1}, {1800, 1800, 3}}},
        {"a band can start at 00:00:01", every(1, 1800, 3), {{1, 1800, 3}}},
        {"00:00:00 and 00:00:01 both leave at 00:00:01", {0, 1}, {{1, 1, 1}, {1, 1, 1}}},
        {"a last departure alone takes the gap before it",
         {36000, 36600, 37200, 40000},
         {{36000, 600, 3}, {40000, 2800, 1}}},
        {"departures at the same second go to separate bands",
         {28800, 28800, 29400, 30000, 30000, 30600},
         {{28800, 600, 4}, {28800, 1200, 2}}},
    };
    for (const Case& c : cases) {
        const auto input = departures(c.times);
        const auto bands = cut_bands(input);
        Bands got;
        for (const Band& b : bands) {
            got.emplace_back(b.start_time, b.headway, b.count);
            EXPECT_EQ(b.end_time, b.start_time + b.count * b.headway) << c.what;
            EXPECT_EQ(b.run_time, 1200) << c.what;
        }
        EXPECT_EQ(got, c.bands) << c.what;
        expect_faithful(input, bands, {});
    }
    // The last lone departure takes the gap to the previous one, capped.
    const auto last = cut_bands(departures({50000, 50900}), BandingLimits{10, 0.1, 0, 600});
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[1].headway, 600);
    EXPECT_EQ(band_departures(last[1]), std::vector<int32_t>{50900});
}

TEST(Banding, IrregularDeparturesStayWithinTheOffsetLimit) {
    // A fixed pseudo-random timetable: gaps from 2 to 40 minutes.
    std::vector<int32_t> times;
    uint32_t state = 12345;
    int32_t t = 18000;
    for (int i = 0; i < 300; ++i) {
        state = state * 1103515245u + 12345u;
        t += 120 + static_cast<int32_t>((state >> 16) % 2280);
        times.push_back(t);
    }
    for (int32_t offset : {60, 150, 300}) {
        BandingLimits limits;
        limits.max_offset = offset;
        const auto input = departures(times);
        const auto bands = cut_bands(input, limits);
        EXPECT_LT(bands.size(), times.size()) << offset;
        expect_faithful(input, bands, limits);
    }
}

TEST(Banding, RunTimeIsTheBandMeanAndDurationChangesCut) {
    std::vector<Departure> input;
    const int32_t durations[] = {1200, 1260, 1150, 1220, 1900, 1950, 1880, 1990};
    for (int k = 0; k < 8; ++k)
        input.push_back({28800 + 600 * k, durations[k], k});
    const auto bands = cut_bands(input);
    ASSERT_EQ(bands.size(), 2u);
    // 4830 / 4, rounded, and 7720 / 4.
    EXPECT_EQ(std::tie(bands[0].count, bands[0].run_time, bands[1].count, bands[1].run_time,
                       bands[1].first_source),
              std::make_tuple(4, 1208, 4, 1930, 4));
}

} // namespace
} // namespace zintu::gtfs
