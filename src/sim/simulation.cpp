// Helpers over the whole simulation state.
#include "sim/simulation.h"

namespace zintu {

void run_loading_pass(Simulation& simulation) {
    loading_pass(simulation.network, simulation.loading);
    update_run_index(simulation.run_index, simulation.loading.service_runs);
}

int load_all_runs(Simulation& simulation) {
    int passes = 0;
    while (!simulation.loading.loading_complete) {
        run_loading_pass(simulation);
        ++passes;
    }
    return passes;
}

} // namespace zintu
