// Helpers over the whole simulation state.
#include "sim/simulation.h"

namespace zintu {

int load_all_runs(Simulation& simulation) {
    int passes = 0;
    while (!simulation.loading.loading_complete) {
        loading_pass(simulation.network, simulation.loading);
        ++passes;
    }
    return passes;
}

} // namespace zintu
