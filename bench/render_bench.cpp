// Whole frames on the headless host, the literal frame beside the fast one in
// the same run: the full network and the downtown view at 1920x1200 and
// 1280x800 on a Monday at 08:15 with every run built, featured colours beside
// line colours, the loading frames, the glyph batch both ways, the network
// replicated ten times, and snapshots
// (wall time and peak memory of a child process running `zintu --snapshot`'s
// code). Times are CPU time of the process; llvmpipe rasterises on the
// calling thread, as LP_NUM_THREADS=0 asks (set here unless given).
#include "app/app.h"
#include "host/egl_context.h"
#include "host/egl_snapshot.h"
#include "host/linux_font.h"
#include "render/gl.h"
#include "render/glyphs.h"
#include "sim/placement.h"
#include "tenfold_network.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zintu {
namespace {

struct Size {
    int32_t width, height;
};
constexpr Size kSizes[] = {{1920, 1200}, {1280, 800}};

// 2026-12-07 08:15:00 in the network's time zone, a Monday.
int64_t monday_morning(const TimeZone& zone) {
    return from_zone_time(zone, {2026, 12, 7, 8, 15, 0}).value_or(0);
}

const char* path_name(FramePath path) {
    return path == FramePath::Literal ? "literal" : "fast";
}

// A context and an application ready for frames: every run built (without
// drawing, unless `loaded` is false) and, for the fast path, the map cached
// by a first frame.
struct Fixture {
    EglContext egl;
    std::unique_ptr<App> app;
    bool ok = false;

    Fixture(FramePath path, bool downtown, Size size, int copies, bool loaded = true,
            ColourScheme colours = ColourScheme::Featured) {
        std::string error;
        ok = create_egl_context(egl, size.width, size.height, error);
        if (!ok) return;
        app = std::make_unique<App>();
        app->path = path;
        use_network(app->sim, benchmark_network(copies));
        const int64_t at = monday_morning(app->sim.zone);
        app->platform.time_source = [at] { return WallTime{at, 0}; };
        app->platform.make_font = make_linux_font;
        app->platform.map_store = [this] { return egl_map_store(egl); };
        init_app_view(*app, downtown, colours, size.width, size.height);
        if (!loaded) return;
        load_all_runs(app->sim);
        run_frame(*app);
        glFinish();
    }
    ~Fixture() {
        app.reset();
        destroy_egl_context(egl);
    }
};

void label(benchmark::State& state, FramePath path, const char* view, Size size,
           const char* colours = "") {
    state.SetLabel(std::string(path_name(path)) + " " + view + " " + std::to_string(size.width) +
                   "x" + std::to_string(size.height) + colours);
}

// One frame: args path (0 literal, 1 fast), view (0 full, 1 downtown), size
// (0 1920x1200, 1 1280x800), copies of the network, colours (0 featured, the
// frame as it was; 1 lines).
void BM_Frame(benchmark::State& state) {
    const FramePath path = state.range(0) == 0 ? FramePath::Literal : FramePath::Fast;
    const bool downtown = state.range(1) != 0;
    const Size size = kSizes[state.range(2)];
    const bool lines = state.range(4) != 0;
    Fixture f(path, downtown, size, static_cast<int>(state.range(3)), true,
              lines ? ColourScheme::Lines : ColourScheme::Featured);
    if (!f.ok) {
        state.SkipWithError("no GL context");
        return;
    }
    for (auto _ : state) {
        run_frame(*f.app);
        glFinish();
    }
    label(state, path, downtown ? "downtown" : "full", size, lines ? " lines" : "");
    state.counters["vehicles"] = f.app->sim.vehicle_count;
}
BENCHMARK(BM_Frame)
    ->ArgNames({"fast", "downtown", "size", "copies", "lines"})
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}, {1}, {0}})
    ->ArgsProduct({{0, 1}, {0}, {0}, {1, 10}, {1}})
    ->Args({0, 0, 0, 10, 0})
    ->Args({1, 0, 0, 10, 0})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// The per-vehicle work of a fast frame without its drawing: placement and the
// glyph arrays, whose styles come from the palette; args colours (0 featured,
// 1 lines) and copies. Apart from the rasterising of the larger glyphs, this
// is all that line colours could add to a frame.
void BM_GlyphArrays(benchmark::State& state) {
    const bool lines = state.range(0) != 0;
    Fixture f(FramePath::Fast, false, kSizes[0], static_cast<int>(state.range(1)), true,
              lines ? ColourScheme::Lines : ColourScheme::Featured);
    if (!f.ok) {
        state.SkipWithError("no GL context");
        return;
    }
    Simulation& sim = f.app->sim;
    GlyphBatch& batch = f.app->glyphs;
    const GlyphPalette& palette = f.app->palette;
    for (auto _ : state) {
        clear_glyph_batch(batch);
        place_vehicles(sim.network, sim.loading.service_runs, sim.run_index, sim.clock,
                       [&](float x, float y, float heading, int32_t shape_id) {
                           add_vehicle_glyph(batch, palette, x, y, heading, shape_id);
                       });
        benchmark::DoNotOptimize(batch.colours.data());
    }
    state.SetLabel(lines ? "lines" : "featured");
    state.counters["vehicles"] = static_cast<double>(batch.corners.size() / 8);
}
BENCHMARK(BM_GlyphArrays)
    ->ArgNames({"lines", "copies"})
    ->ArgsProduct({{0, 1}, {1, 10}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

// The loading frames of a fresh start, 1920x1200, full network: from the
// first frame to the one that finds nothing left to build.
void BM_LoadingFrames(benchmark::State& state) {
    const FramePath path = state.range(0) == 0 ? FramePath::Literal : FramePath::Fast;
    int frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<Fixture>(path, false, kSizes[0], 1, false);
        if (!f->ok) {
            state.SkipWithError("no GL context");
            return;
        }
        state.ResumeTiming();
        frames = 0;
        while (!f->app->sim.loading.loading_complete) {
            run_frame(*f->app);
            ++frames;
        }
        glFinish();
        state.PauseTiming();
        f.reset();
        state.ResumeTiming();
    }
    label(state, path, "full", kSizes[0]);
    state.counters["frames"] = frames;
}
BENCHMARK(BM_LoadingFrames)
    ->ArgName("fast")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// Placement with the glyph batch, full network at 1920x1200 over the cached
// map: immediate mode (arg 0) or one array (arg 1); second arg the copies.
void BM_GlyphBatch(benchmark::State& state) {
    const bool array = state.range(0) != 0;
    Fixture f(FramePath::Fast, false, kSizes[0], static_cast<int>(state.range(1)));
    if (!f.ok) {
        state.SkipWithError("no GL context");
        return;
    }
    Simulation& sim = f.app->sim;
    GlyphBatch& batch = f.app->glyphs;
    for (auto _ : state) {
        if (array) {
            clear_glyph_batch(batch);
            place_vehicles(sim.network, sim.loading.service_runs, sim.run_index, sim.clock,
                           [&batch, &f](float x, float y, float heading, int32_t shape_id) {
                               add_vehicle_glyph(batch, f.app->palette, x, y, heading, shape_id);
                           });
            draw_glyph_batch(batch);
        } else {
            begin_vehicle_batch();
            place_vehicles(sim.network, sim.loading.service_runs, sim.run_index, sim.clock,
                           [&f](float x, float y, float heading, int32_t shape_id) {
                               draw_vehicle_glyph(f.app->palette, x, y, heading, shape_id);
                           });
            end_vehicle_batch();
        }
        glFinish();
    }
    state.SetLabel(array ? "array" : "immediate");
    state.counters["vehicles"] = sim.vehicle_count;
}
BENCHMARK(BM_GlyphBatch)
    ->ArgNames({"array", "copies"})
    ->ArgsProduct({{0, 1}, {1, 10}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// A snapshot in a child process (this program run again with --snapshot-child):
// wall time and the child's peak resident memory. Args: path, copies.
void BM_Snapshot(benchmark::State& state) {
    static char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) {
        state.SkipWithError("cannot find this program");
        return;
    }
    self[n] = '\0';
    const std::string path = state.range(0) == 0 ? "literal" : "fast";
    const std::string copies = std::to_string(state.range(1));
    const std::string out = "/tmp/zintu-bench-snapshot-" + std::to_string(getpid()) + ".png";
    double peak_mb = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        char* argv[] = {self,
                        const_cast<char*>("--snapshot-child"),
                        const_cast<char*>(path.c_str()),
                        const_cast<char*>(copies.c_str()),
                        const_cast<char*>(out.c_str()),
                        nullptr};
        pid_t child = 0;
        if (posix_spawn(&child, self, nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the child");
            return;
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the snapshot failed");
            return;
        }
        state.SetIterationTime(seconds);
        peak_mb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    }
    std::remove(out.c_str());
    state.SetLabel(path + " " + copies + "x network 1280x800");
    state.counters["peak_MB"] = peak_mb;
}
BENCHMARK(BM_Snapshot)
    ->ArgNames({"fast", "copies"})
    ->ArgsProduct({{0, 1}, {1, 10}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

// The child's side: the snapshot code of `zintu --snapshot`, on the network
// replicated `copies` times, with frames of `path`.
int snapshot_child(const char* path, const char* copies, const char* out) {
    start_app({nullptr, make_linux_font, system_time});
    app().path = std::strcmp(path, "literal") == 0 ? FramePath::Literal : FramePath::Fast;
    use_network(app().sim, benchmark_network(std::atoi(copies)));
    return run_snapshot({out, 1280, 800, 0, monday_morning(app().sim.zone)}, stderr);
}

} // namespace
} // namespace zintu

int main(int argc, char** argv) {
    setenv("LP_NUM_THREADS", "0", 0);
    if (argc == 5 && std::strcmp(argv[1], "--snapshot-child") == 0)
        return zintu::snapshot_child(argv[2], argv[3], argv[4]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
