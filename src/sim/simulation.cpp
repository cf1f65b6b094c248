// Helpers over the whole simulation state.
#include "sim/simulation.h"

namespace zintu {

void use_network(Simulation& simulation, const Network& network) {
    simulation.network = network;
    simulation.zone = time_zone_of(network.info.tz_rule);
}

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
