// Whole frames on the headless host at 1920x1200 (the full network and the
// downtown view, a Monday at 08:15 with every run built), and the CPU part of
// a frame split into placement, glyph emission and the GL work that remains.
#include "app/app.h"
#include "host/egl_context.h"
#include "host/linux_font.h"
#include "render/gl.h"
#include "render/glyphs.h"
#include "sim/placement.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace zintu {
namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1200;

// 2026-12-07 08:15:00 in the network's time zone.
int64_t monday_morning(const TimeZone& zone) {
    return from_zone_time(zone, {2026, 12, 7, 8, 15, 0}).value_or(0);
}

// A context and an application with every run built, ready for frames.
struct Fixture {
    EglContext egl;
    std::unique_ptr<App> app;
    bool ok = false;

    explicit Fixture(bool downtown) {
        std::string error;
        ok = create_egl_context(egl, kWidth, kHeight, error);
        if (!ok) return;
        app = std::make_unique<App>();
        use_network(app->sim, compiled_network());
        const int64_t at = monday_morning(app->sim.zone);
        app->platform.time_source = [at] { return WallTime{at, 0}; };
        app->platform.make_font = make_linux_font;
        init_app_view(*app, downtown, kWidth, kHeight);
        while (!app->sim.loading.loading_complete)
            run_frame(*app);
    }
    ~Fixture() { destroy_egl_context(egl); }
};

void BM_Frame(benchmark::State& state) {
    Fixture f(state.range(0) != 0);
    if (!f.ok) {
        state.SkipWithError("no GL context");
        return;
    }
    for (auto _ : state) {
        run_frame(*f.app);
        glFinish();
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["vehicles"] = f.app->sim.vehicle_count;
}
BENCHMARK(BM_Frame)
    ->ArgName("downtown")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A loaded full-network fixture with the clock set, or an error on `state`.
std::unique_ptr<Fixture> clocked_fixture(benchmark::State& state) {
    auto f = std::make_unique<Fixture>(false);
    if (!f->ok) {
        state.SkipWithError("no GL context");
        return nullptr;
    }
    update_clock(f->app->sim.clock, f->app->sim.speed_mode, f->app->platform.time_source,
                 f->app->sim.zone);
    return f;
}

// The placement walk alone, with a consumer that only counts.
void BM_Placement(benchmark::State& state) {
    const auto f = clocked_fixture(state);
    if (!f) return;
    Simulation& sim = f->app->sim;
    for (auto _ : state) {
        int64_t placed = 0;
        benchmark::DoNotOptimize(place_vehicles(sim.network, sim.loading.service_runs, sim.clock,
                                                [&](float, float, float, int32_t) { ++placed; }));
        benchmark::DoNotOptimize(placed);
    }
}
BENCHMARK(BM_Placement)->Unit(benchmark::kMicrosecond);

// Placement with the glyphs emitted into the GL batch, not waited for.
void BM_PlacementAndGlyphs(benchmark::State& state) {
    const auto f = clocked_fixture(state);
    if (!f) return;
    Simulation& sim = f->app->sim;
    for (auto _ : state) {
        begin_vehicle_batch();
        benchmark::DoNotOptimize(
            place_vehicles(sim.network, sim.loading.service_runs, sim.clock, draw_vehicle_glyph));
        end_vehicle_batch();
        state.PauseTiming();
        glFinish(); // the GL work of this batch is not part of the emission
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlacementAndGlyphs)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zintu
