// Time bands: every band reproduces exactly its departures, each within the
// offset limit, with the median duration as its run time.
#include "banding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

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

TEST(Banding, RegularDeparturesMakeOneExactBand) {
    std::vector<int32_t> times;
    for (int k = 0; k < 38; ++k)
        times.push_back(21780 + 282 * k);
    const auto bands = cut_bands(departures(times));
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].start_time, 21780);
    EXPECT_EQ(bands[0].headway, 282);
    EXPECT_EQ(bands[0].count, 38);
    EXPECT_EQ(bands[0].end_time, 21780 + 38 * 282);
    EXPECT_EQ(bands[0].run_time, 1200);
    EXPECT_EQ(band_departures(bands[0]), times);
}

TEST(Banding, HeadwayChangesStartNewBands) {
    // Every 10 minutes, then every 4, then hourly.
    const std::vector<int32_t> times = {21600, 22200, 22800, 23400, 24000, 25200, 25440,
                                        25680, 25920, 26160, 26400, 30000, 33600, 37200};
    const BandingLimits limits;
    const auto bands = cut_bands(departures(times), limits);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].headway, 600);
    EXPECT_EQ(bands[0].count, 5);
    EXPECT_EQ(bands[1].start_time, 25200);
    EXPECT_EQ(bands[1].headway, 240);
    EXPECT_EQ(bands[1].count, 6);
    EXPECT_EQ(bands[2].headway, 3600);
    EXPECT_EQ(bands[2].count, 3);
    expect_faithful(departures(times), bands, limits);
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
    EXPECT_EQ(bands[0].count, 4);
    EXPECT_EQ(bands[0].run_time, 1208); // 4830 / 4, rounded
    EXPECT_EQ(bands[1].count, 4);
    EXPECT_EQ(bands[1].run_time, 1930);
    EXPECT_EQ(bands[1].first_source, 4);
}

TEST(Banding, DeparturesAtTheSameSecondGoToSeparateBands) {
    const std::vector<int32_t> times = {28800, 28800, 29400, 30000, 30000, 30600};
    const BandingLimits limits;
    const auto input = departures(times);
    const auto bands = cut_bands(input, limits);
    expect_faithful(input, bands, limits);
    int32_t total = 0;
    for (const Band& band : bands)
        total += band.count;
    EXPECT_EQ(total, 6);
}

TEST(Banding, LoneDepartureEndsWhereTheNextWouldLeave) {
    // Two departures three hours apart are a pause, not a headway.
    const auto bands = cut_bands(departures({36000, 46800, 47400}));
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].count, 1);
    EXPECT_EQ(bands[0].headway, 3600); // the gap, capped at the longest headway
    EXPECT_EQ(bands[0].end_time, 39600);
    EXPECT_EQ(bands[1].count, 2);
    EXPECT_EQ(bands[1].headway, 600);
    const auto last = cut_bands(departures({50000, 50900}), BandingLimits{10, 0.1, 0, 600});
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[1].headway, 600); // the gap to the previous one, capped
    EXPECT_EQ(band_departures(last[1]), std::vector<int32_t>{50900});
}

} // namespace
} // namespace zintu::gtfs
