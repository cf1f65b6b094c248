// Recording on the headless host: the frame schedule seen through a stand-in
// sink (how many frames, and the clock each one shows, across midnight and
// New York's daylight-saving changes), and a GIF read back with giflib.
#include "app/app.h"
#include "host/egl_record.h"
#include "host/linux_font.h"
#include "host/linux_options.h"
#include "host/record_sinks.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zintu {
namespace {

const TimeZone kNewYork = time_zone_of("EST5EDT,M3.2.0,M11.1.0");

void start(SpeedMode mode) {
    App& a = app();
    use_network(a.sim, compiled_network());
    a.sim.zone = kNewYork;
    Settings settings;
    settings.speed_mode = mode;
    start_app({[settings] { return settings; }, make_linux_font, system_time});
}

std::optional<SpanBound> date_time(const char* text) {
    return SpanBound{parse_civil_time(text), 0};
}
std::optional<SpanBound> time_of_day(int32_t hour, int32_t minute, int32_t second = 0) {
    return SpanBound{std::nullopt, hour * 3600 + minute * 60 + second};
}

// The clock as the frame shows it, to the hundredth of a second.
std::string clock_text(const SimClock& clock) {
    char text[64];
    std::strftime(text, sizeof text, "%a %Y-%m-%d %H:%M:%S", &clock.local_time);
    const double fraction = clock.seconds - std::floor(clock.seconds);
    char hundredths[8];
    std::snprintf(hundredths, sizeof hundredths, ".%02d", static_cast<int>(fraction * 100.0 + 0.5));
    return text + std::string(hundredths);
}

TEST(RecordTest, FramesAndTheirClocksThroughAStandInSink) {
    const int64_t monday = *from_zone_time(kNewYork, {2026, 12, 7, 12, 0, 0});
    struct Case {
        const char* what;
        SpeedMode mode;
        std::optional<SpanBound> from, to;
        int32_t fps;
        double speed;
        int64_t count;
        std::map<int64_t, std::string> clocks; // frame: clock
    } cases[] = {
        {"a fast day from midnight, 900 s a second by default",
         SpeedMode::Fast,
         {},
         {},
         3,
         0.0,
         288,
         {{0, "Mon 2026-12-07 00:00:00.00"},
          {1, "Mon 2026-12-07 00:05:00.00"},
          {287, "Mon 2026-12-07 23:55:00.00"}}},
        {"a time of day before --from's is on the next day",
         SpeedMode::Fast,
         time_of_day(23, 59),
         time_of_day(0, 1),
         2,
         30.0,
         8,
         {{3, "Mon 2026-12-07 23:59:45.00"},
          {4, "Tue 2026-12-08 00:00:00.00"},
          {7, "Tue 2026-12-08 00:00:45.00"}}},
        {"spring forward: an instant after 01:59:30 EST is 03:00 EDT",
         SpeedMode::Fast,
         date_time("2026-03-08 01:59:00"),
         date_time("2026-03-08 03:01:00"),
         1,
         30.0,
         4,
         {{1, "Sun 2026-03-08 01:59:30.00"}, {2, "Sun 2026-03-08 03:00:00.00"}}},
        {"fall back: a day of 25 hours, 01:00 twice",
         SpeedMode::Fast,
         date_time("2026-11-01 00:00:00"),
         {},
         1,
         3600.0,
         25,
         {{1, "Sun 2026-11-01 01:00:00.00"},
          {2, "Sun 2026-11-01 01:00:00.00"},
          {3, "Sun 2026-11-01 02:00:00.00"},
          {24, "Sun 2026-11-01 23:00:00.00"}}},
        {"real time: a second a second, four frames a second",
         SpeedMode::RealTime,
         time_of_day(8, 0),
         time_of_day(8, 0, 1),
         4,
         0.0,
         4,
         {{1, "Mon 2026-12-07 08:00:00.25"}, {3, "Mon 2026-12-07 08:00:00.75"}}},
        {"thirds of ten seconds, without drift",
         SpeedMode::Fast,
         time_of_day(8, 0),
         time_of_day(8, 0, 10),
         3,
         10.0,
         3,
         {{1, "Mon 2026-12-07 08:00:03.33"}, {2, "Mon 2026-12-07 08:00:06.67"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start(c.mode);
        int64_t announced = -1;
        std::vector<std::string> clocks;
        std::vector<int64_t> starts;
        const FrameSink stand_in{[&](const RecordFormat& format, std::string&) {
                                     announced = format.frame_count;
                                     return true;
                                 },
                                 [&](const RecordedFrame& frame, std::string&) {
                                     clocks.push_back(clock_text(app().sim.clock));
                                     starts.push_back(frame.video_ms);
                                     return true;
                                 },
                                 [](std::string&) { return true; }, [] {}};
        ASSERT_EQ(run_record({"stand-in", 16, 10, c.fps, c.speed, c.from, c.to, monday}, stderr,
                             stand_in),
                  0);
        EXPECT_EQ(announced, c.count);
        ASSERT_EQ(static_cast<int64_t>(clocks.size()), c.count);
        for (const auto& [k, clock] : c.clocks)
            EXPECT_EQ(clocks[k], clock) << "frame " << k;
        EXPECT_EQ(starts.back(), (c.count - 1) * 1000 / c.fps);
    }
}

// Ten frames at 30 a second: their number and delays read back, and the last
// frame put together from the changed boxes as a viewer does, pixel for
// pixel the frame drawn.
TEST(RecordTest, GifReadBackWithGiflib) {
    start(SpeedMode::Fast);
    const std::string folder = testing::TempDir() + "record-gif";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/ten.gif";
    const int32_t width = 64, height = 40;
    std::vector<uint8_t> drawn;
    FrameSink gif = make_gif_sink(path);
    const auto encode = gif.frame;
    gif.frame = [&](const RecordedFrame& frame, std::string& error) {
        drawn.assign(frame.rgb, frame.rgb + width * height * 3);
        return encode(frame, error);
    };
    const int64_t monday = *from_zone_time(kNewYork, {2026, 12, 7, 12, 0, 0});
    ASSERT_EQ(
        run_record({path, width, height, 30, 0.0, time_of_day(8, 0), time_of_day(8, 5), monday},
                   stderr, gif),
        0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
        << "a temporary file is left";

    int error = 0;
    GifFileType* file = DGifOpenFileName(path.c_str(), &error);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(DGifSlurp(file), GIF_OK);
    ASSERT_EQ(file->ImageCount, 10);
    EXPECT_EQ(file->SWidth, width);
    std::vector<int> delays;
    std::vector<uint8_t> canvas(static_cast<std::size_t>(width * height), 0);
    for (int i = 0; i < file->ImageCount; ++i) {
        GraphicsControlBlock control;
        ASSERT_EQ(DGifSavedExtensionToGCB(file, i, &control), GIF_OK);
        delays.push_back(control.DelayTime);
        const GifImageDesc& box = file->SavedImages[i].ImageDesc;
        for (int y = 0; y < box.Height; ++y) {
            for (int x = 0; x < box.Width; ++x) {
                const uint8_t index = file->SavedImages[i].RasterBits[y * box.Width + x];
                if (index != control.TransparentColor)
                    canvas[static_cast<std::size_t>((box.Top + y) * width + box.Left + x)] = index;
            }
        }
    }
    // 100/30 hundredths a frame, rounded from the start: 3, 4, 3 over again.
    EXPECT_EQ(delays, (std::vector<int>{3, 4, 3, 3, 4, 3, 3, 4, 3, 3}));
    std::vector<uint8_t> shown;
    for (uint8_t index : canvas) {
        const GifColorType& c = file->SColorMap->Colors[index];
        shown.insert(shown.end(), {c.Red, c.Green, c.Blue});
    }
    EXPECT_EQ(shown, drawn);
    DGifCloseFile(file, &error);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace zintu
