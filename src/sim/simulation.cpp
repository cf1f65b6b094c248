// Helpers over the whole simulation state.
#include "sim/simulation.h"

namespace zintu {

void use_network(Simulation& simulation, const Network& network) {
    simulation.network = network;
    simulation.zone = time_zone_of(network.info.tz_rule);
}

int load_all_runs(Simulation& simulation) {
    int passes = 0;
    while (!simulation.loading.loading_complete) {
        loading_pass(simulation.network, simulation.loading);
        ++passes;
    }
    return passes;
}

} // namespace zintu
