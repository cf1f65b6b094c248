// The simulation without GL, the literal way beside the indexed one: loading
// every run (with and without keeping the run index), the placement walk at a
// busy and a quiet time, a check that both walks find the same vehicles in
// the same order at every minute of a week, and the same on the network
// replicated ten times. BM_PlacementInstructions calls each walk once, for
// bench/placement_instructions.sh to count its instructions under callgrind.
#include "sim/placement.h"
#include "sim/simulation.h"
#include "tenfold_network.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace zintu {
namespace {

constexpr int kMonday = 1;
constexpr float kMorning = 8 * 3600 + 15 * 60; // 08:15, the busiest quarter hour
constexpr float kNight = 3 * 3600;             // 03:00, one of the quietest

std::unique_ptr<Simulation> loaded_simulation(int copies) {
    auto sim = std::make_unique<Simulation>();
    use_network(*sim, benchmark_network(copies));
    load_all_runs(*sim);
    return sim;
}

SimClock clock_at(int wday, float seconds) {
    SimClock clock;
    clock.seconds = seconds;
    clock.local_time.tm_wday = wday;
    return clock;
}

// Consumer that only keeps the vehicles from being optimised away.
struct Sink {
    double sum = 0;
    void operator()(float x, float y, float heading, int32_t shape_id) {
        sum += x + y + heading + shape_id;
    }
};

// Loading every row, as the frames would: the literal passes (arg 0) or the
// passes that keep the run index (arg 1); the second arg is the number of
// copies of the network.
void BM_LoadAllRuns(benchmark::State& state) {
    const bool indexed = state.range(0) != 0;
    const Network network = benchmark_network(static_cast<int>(state.range(1)));
    int64_t runs = 0;
    int passes = 0;
    for (auto _ : state) {
        auto sim = std::make_unique<Simulation>();
        use_network(*sim, network);
        passes = 0;
        while (!sim->loading.loading_complete) {
            if (indexed) {
                run_loading_pass(*sim);
            } else {
                loading_pass(sim->network, sim->loading);
            }
            ++passes;
        }
        runs = 0;
        for (const ServiceRuns& list : sim->loading.service_runs)
            runs += list.count();
        state.PauseTiming();
        sim.reset(); // freeing is not part of loading
        state.ResumeTiming();
    }
    state.counters["runs"] = static_cast<double>(runs);
    state.counters["passes"] = passes;
}
BENCHMARK(BM_LoadAllRuns)
    ->ArgNames({"indexed", "copies"})
    ->ArgsProduct({{0, 1}, {1, 10}})
    ->Unit(benchmark::kMillisecond);

// One placement walk on a Monday: every run (arg 0) or the indexed runs
// (arg 1), at 08:15 (arg 0) or 03:00 (arg 1).
void BM_Placement(benchmark::State& state) {
    static const auto sim = loaded_simulation(1);
    const bool indexed = state.range(0) != 0;
    const SimClock clock = clock_at(kMonday, state.range(1) == 0 ? kMorning : kNight);
    int32_t count = 0;
    for (auto _ : state) {
        Sink sink;
        count = indexed ? place_vehicles(sim->network, sim->loading.service_runs, sim->run_index,
                                         clock, sink)
                        : place_vehicles(sim->network, sim->loading.service_runs, clock, sink);
        benchmark::DoNotOptimize(sink.sum);
    }
    state.counters["vehicles"] = count;
}
BENCHMARK(BM_Placement)
    ->ArgNames({"indexed", "night"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// The walks whose instructions the callgrind script counts, one symbol each.
#define ZINTU_WALK(name, indexed, seconds)                                                         \
    [[gnu::noinline]] int32_t name(const Simulation& sim) {                                        \
        Sink sink;                                                                                 \
        const SimClock clock = clock_at(kMonday, seconds);                                         \
        const int32_t count =                                                                      \
            indexed ? place_vehicles(sim.network, sim.loading.service_runs, sim.run_index, clock,  \
                                     sink)                                                         \
                    : place_vehicles(sim.network, sim.loading.service_runs, clock, sink);          \
        benchmark::DoNotOptimize(sink.sum);                                                        \
        return count;                                                                              \
    }
ZINTU_WALK(instructions_full_0815, false, kMorning)
ZINTU_WALK(instructions_indexed_0815, true, kMorning)
ZINTU_WALK(instructions_full_0300, false, kNight)
ZINTU_WALK(instructions_indexed_0300, true, kNight)
#undef ZINTU_WALK

void BM_PlacementInstructions(benchmark::State& state) {
    static const auto sim = loaded_simulation(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(instructions_full_0815(*sim));
        benchmark::DoNotOptimize(instructions_indexed_0815(*sim));
        benchmark::DoNotOptimize(instructions_full_0300(*sim));
        benchmark::DoNotOptimize(instructions_indexed_0300(*sim));
    }
}
BENCHMARK(BM_PlacementInstructions)->Iterations(1)->Unit(benchmark::kMillisecond);

// Both walks at every minute of a week (and a quarter second past every
// fourth minute): the counter `differing` must be 0.
void BM_SameVehiclesAllWeek(benchmark::State& state) {
    const auto sim = loaded_simulation(static_cast<int>(state.range(0)));
    struct Walk {
        int32_t count = 0;
        std::vector<Vehicle> vehicles;
    };
    int64_t differing = 0, instants = 0;
    Walk full, indexed;
    for (auto _ : state) {
        for (int wday = 0; wday < 7; ++wday) {
            for (int minute = 0; minute <= 24 * 60; ++minute) {
                const SimClock clock = clock_at(wday, minute * 60.0f + 0.25f * (minute % 4));
                for (Walk* w : {&full, &indexed}) {
                    w->vehicles.clear();
                    const auto keep = [w](float x, float y, float heading, int32_t shape_id) {
                        w->vehicles.push_back({x, y, heading, shape_id});
                    };
                    w->count = w == &full ? place_vehicles(sim->network, sim->loading.service_runs,
                                                           clock, keep)
                                          : place_vehicles(sim->network, sim->loading.service_runs,
                                                           sim->run_index, clock, keep);
                }
                const bool same = full.count == indexed.count &&
                                  full.vehicles.size() == indexed.vehicles.size() &&
                                  (full.vehicles.empty() ||
                                   std::memcmp(full.vehicles.data(), indexed.vehicles.data(),
                                               full.vehicles.size() * sizeof(Vehicle)) == 0);
                differing += !same;
                ++instants;
            }
        }
    }
    state.counters["instants"] = static_cast<double>(instants);
    state.counters["differing"] = static_cast<double>(differing);
}
BENCHMARK(BM_SameVehiclesAllWeek)
    ->ArgName("copies")
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zintu
