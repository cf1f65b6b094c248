// Loading the whole compiled-in data set, and one placement walk at a busy
// weekday time.
#include "sim/placement.h"
#include "sim/simulation.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace zintu {
namespace {

void BM_LoadAllRuns(benchmark::State& state) {
    int64_t runs = 0;
    for (auto _ : state) {
        auto simulation = std::make_unique<Simulation>();
        simulation->network = compiled_network();
        benchmark::DoNotOptimize(load_all_runs(*simulation));
        runs = 0;
        for (const ServiceRuns& list : simulation->loading.service_runs)
            runs += list.count();
        state.PauseTiming();
        simulation.reset(); // freeing is not part of loading
        state.ResumeTiming();
    }
    state.counters["runs"] = static_cast<double>(runs);
}
BENCHMARK(BM_LoadAllRuns)->Unit(benchmark::kMillisecond);

// One loading pass, as the first frames run it.
void BM_LoadingPass(benchmark::State& state) {
    auto simulation = std::make_unique<Simulation>();
    simulation->network = compiled_network();
    for (auto _ : state) {
        state.PauseTiming();
        if (simulation->loading.loading_complete) {
            simulation = std::make_unique<Simulation>();
            simulation->network = compiled_network();
        }
        state.ResumeTiming();
        loading_pass(simulation->network, simulation->loading);
    }
}
BENCHMARK(BM_LoadingPass)->Unit(benchmark::kMillisecond);

// A Wednesday at 08:15, with every run built.
void BM_PlaceVehicles(benchmark::State& state) {
    auto simulation = std::make_unique<Simulation>();
    simulation->network = compiled_network();
    load_all_runs(*simulation);
    simulation->clock.seconds = 8 * 3600 + 15 * 60;
    simulation->clock.local_time.tm_wday = 3;
    int32_t count = 0;
    int64_t placed = 0;
    for (auto _ : state) {
        placed = 0;
        count =
            place_vehicles(simulation->network, simulation->loading.service_runs, simulation->clock,
                           [&placed](float x, float y, float heading, int32_t shape_id) {
                               benchmark::DoNotOptimize(x + y + heading + shape_id);
                               ++placed;
                           });
    }
    state.counters["vehicles"] = count;
    state.counters["drawn"] = static_cast<double>(placed);
}
BENCHMARK(BM_PlaceVehicles)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zintu
