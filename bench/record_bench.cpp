// Recording: frames per second of the frames alone (drawn and read back, as
// --record reads them) and of the frames handed to each encoder, at 1280x800
// and 640x400, over the network the program links, fast mode from 06:00 on a
// Monday at 30 simulated seconds a frame. Times are wall-clock times: the
// video encoders run in the ffmpeg program beside this process (skipped where
// it is not installed), and llvmpipe's threads count as the program's do.
#include "app/app.h"
#include "app/recording.h"
#include "host/egl_context.h"
#include "host/linux_font.h"
#include "host/record_sinks.h"

#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zintu {
namespace {

struct Size {
    int32_t width, height;
};
constexpr Size kSizes[] = {{1280, 800}, {640, 400}};

// 0: no encoder; then the sinks by file extension.
const char* const kEncoders[] = {"", "gif", "webp", "mp4", "webm", "mkv"};

bool have_ffmpeg() {
    return std::system("command -v ffmpeg >/dev/null 2>&1") == 0;
}

void BM_RecordFrames(benchmark::State& state) {
    const Size size = kSizes[state.range(0)];
    const std::string extension = kEncoders[state.range(1)];
    const bool video = state.range(1) >= 3;
    if (video && !have_ffmpeg()) {
        state.SkipWithError("no ffmpeg");
        return;
    }
    std::signal(SIGPIPE, SIG_IGN);
    EglContext egl;
    std::string error;
    if (!create_egl_context(egl, size.width, size.height, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    auto app = std::make_unique<App>();
    use_network(app->sim, compiled_network());
    app->sim.speed_mode = SpeedMode::Fast;
    app->platform.make_font = make_linux_font;
    app->platform.map_store = [&egl] { return egl_map_store(egl); };
    init_app_view(*app, false, ColourScheme::Auto, size.width, size.height);
    load_all_runs(app->sim);

    const int64_t six = from_zone_time(app->sim.zone, {2026, 12, 7, 6, 0, 0}).value_or(0);
    const FrameSchedule schedule{six * 1000, 900000, 30, 2880};
    const std::string path = std::filesystem::temp_directory_path().string() +
                             "/zintu-record-bench." + (extension.empty() ? "none" : extension);
    std::optional<FrameSink> sink;
    if (!extension.empty()) {
        sink = make_record_sink(path, *record_format_of(path));
        const RecordFormat format{size.width, size.height, 30, schedule.frame_count,
                                  drawn_glyph_colours(app->palette)};
        if (!sink->begin(format, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    std::vector<uint8_t> pixels;
    int64_t k = 0;
    for (auto _ : state) {
        show_instant(*app, frame_instant(schedule, k % schedule.frame_count));
        run_frame(*app);
        read_rgb_pixels(egl, pixels);
        if (sink && !sink->frame({k, frame_video_ms(schedule, k), pixels.data()}, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        ++k;
    }
    if (sink) sink->abort();
    app.reset();
    destroy_egl_context(egl);
    state.SetItemsProcessed(k);
    state.SetLabel(std::to_string(size.width) + "x" + std::to_string(size.height) + " " +
                   (extension.empty() ? "frames alone" : extension));
}
BENCHMARK(BM_RecordFrames)
    ->ArgNames({"size", "encoder"})
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3, 4, 5}})
    ->MinTime(3.0)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zintu

BENCHMARK_MAIN();
