// Recording's pure parts: the span and schedule refusals, the GIF palette and
// its look-up, and the progress texts.
#include "app/frame_schedule.h"
#include "host/record_palette.h"
#include "host/record_progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace zintu {
namespace {

const TimeZone kNewYork = time_zone_of("EST5EDT,M3.2.0,M11.1.0");

TEST(RecordScheduleTest, SpansAndSchedulesThatAreRefused) {
    const int64_t noon = *from_zone_time(kNewYork, {2026, 12, 7, 12, 0, 0});
    const auto at = [](int h, int m) { return SpanBound{std::nullopt, h * 3600 + m * 60}; };
    const auto on = [](int day, int h) { return SpanBound{CivilTime{2026, 12, day, h, 0, 0}, 0}; };
    std::string error;
    EXPECT_FALSE(resolve_span(at(10, 0), at(10, 0), noon, kNewYork, error)) << "empty span";
    EXPECT_FALSE(resolve_span(on(8, 10), on(7, 11), noon, kNewYork, error)) << "dated end first";
    // --from's date is the recording's day for a time-of-day --to; 24:00 is
    // the next midnight.
    const auto span = resolve_span(on(9, 22), at(24, 0), noon, kNewYork, error);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->to_ms - span->from_ms, 2 * 3600 * 1000);
    EXPECT_EQ(span->from_ms, (noon + 2 * 86400 + 10 * 3600) * 1000);

    // Without --to, a day later by the wall clock.
    const auto one_day = resolve_span(at(10, 30), std::nullopt, noon, kNewYork, error);
    ASSERT_TRUE(one_day);
    EXPECT_EQ(one_day->to_ms - one_day->from_ms, 86400 * 1000);

    const RecordSpan day{0, 86400000};
    EXPECT_EQ(make_frame_schedule(day, 30, 0.0, SpeedMode::Fast, error)->frame_count, 2880);
    EXPECT_EQ(make_frame_schedule(day, 30, 0.0, SpeedMode::RealTime, error), std::nullopt)
        << "a day in real time is 2,592,000 frames";
    EXPECT_EQ(make_frame_schedule(day, 30, 0.0004, SpeedMode::Fast, error), std::nullopt);
    EXPECT_EQ(make_frame_schedule(day, 0, 1.0, SpeedMode::Fast, error), std::nullopt);
    EXPECT_EQ(make_frame_schedule({5, 5}, 30, 1.0, SpeedMode::Fast, error), std::nullopt);
    const FrameSchedule before_epoch =
        *make_frame_schedule({-1500, 0}, 2, 1.0, SpeedMode::Fast, error);
    EXPECT_EQ(before_epoch.frame_count, 3);
    EXPECT_EQ(frame_instant(before_epoch, 1).seconds, -1);
    EXPECT_EQ(frame_instant(before_epoch, 1).millis, 0);
    EXPECT_EQ(frame_instant(before_epoch, 2).millis, 500);
}

TEST(RecordPaletteTest, DrawnColoursStayExactAndOthersFindTheirNearest) {
    std::vector<uint32_t> many;
    for (uint32_t i = 0; i < 400; ++i)
        many.push_back(0x010203 * (i % 80) + (i << 16));
    const std::vector<uint32_t> featured = {0xCC6666, 0xFFC600, 0x2CBD00};
    for (const auto& drawn : {featured, many}) {
        ColourLookup lookup = make_colour_lookup(make_gif_palette(drawn));
        const std::vector<uint32_t>& palette = lookup.palette;
        ASSERT_LE(palette.size(), 255u);
        for (uint32_t c : {0xFFFFFFu, 0xCCCCCCu, 0xB2B2B2u, 0x7D7D7Du, drawn[0], drawn[1]}) {
            ASSERT_NE(std::find(palette.begin(), palette.end(), c), palette.end()) << std::hex << c;
        }
        // Every entry maps to itself, twice over (once searched, once looked up).
        for (int round = 0; round < 2; ++round) {
            for (std::size_t i = 0; i < palette.size(); ++i)
                EXPECT_EQ(palette[palette_index(lookup, palette[i])], palette[i]);
        }
    }
    ColourLookup lookup = make_colour_lookup(make_gif_palette(featured));
    EXPECT_EQ(lookup.palette[palette_index(lookup, 0xCB6767)], 0xCC6666u);
    // Past the table's fill, it starts afresh and still answers.
    for (uint32_t c = 0; c < 5000; ++c)
        palette_index(lookup, c * 3331);
    const uint8_t rgb[] = {255, 255, 255, 255, 255, 255, 0xCC, 0x66, 0x66, 255, 255, 255, 0, 0, 0};
    uint8_t out[5] = {0, 0, 0, 0, 77};
    map_to_palette(lookup, rgb, 4, out);
    EXPECT_EQ(out[4], 77) << "written past the end";
    EXPECT_EQ(lookup.palette[out[1]], 0xFFFFFFu);
    EXPECT_EQ(lookup.palette[out[2]], 0xCC6666u);
    EXPECT_EQ(out[3], out[0]);
}

TEST(RecordProgressTest, BarAndLines) {
    EXPECT_EQ(progress_text(0, 2880, 0.4, true),
              "[..............................] 0/2880 frames, 0:00 elapsed, ? left");
    EXPECT_EQ(progress_text(960, 2880, 119.0, true),
              "[##########....................] 960/2880 frames, 1:59 elapsed, 3:58 left");
    EXPECT_EQ(progress_text(2880, 2880, 3600.0, false),
              "zintu: recorded 2880/2880 frames (100 %), 1:00:00 elapsed, 0:00 left");
    // Off a terminal, a line at each tenth; on one, the bar at most ten times
    // a second, and always at the end.
    for (const bool terminal : {false, true}) {
        std::FILE* out = std::tmpfile();
        ASSERT_NE(out, nullptr);
        Progress progress = start_progress(out, 20);
        EXPECT_FALSE(progress.terminal);
        progress.terminal = terminal;
        for (int64_t done = 1; done <= 20; ++done)
            report_progress(progress, done);
        end_progress(progress);
        std::rewind(out);
        int lines = 0, redraws = 0;
        for (int c; (c = std::fgetc(out)) != EOF;) {
            lines += c == '\n';
            redraws += c == '\r';
        }
        std::fclose(out);
        EXPECT_EQ(lines, terminal ? 1 : 10);
        EXPECT_EQ(redraws, terminal ? 2 : 0);
    }
}

} // namespace
} // namespace zintu
