// The simulation's state in one place: the data set, the runs built from it,
// the clock and the frame's vehicle count. Passed explicitly, so a test or a
// headless tool can run several independent simulations in one process.
#pragma once

#include "network/network.h"
#include "network/run_builder.h"
#include "sim/clock.h"
#include "sim/time_zone.h"

#include <cstdint>

namespace zintu {

struct Simulation {
    Network network{};
    TimeZone zone; // the network's own, read from its rule by use_network
    LoadingState loading;
    SimClock clock;
    SpeedMode speed_mode = SpeedMode::RealTime;
    int32_t vehicle_count = 0;
};

// Makes `network` the one simulated, with its time zone; call before any run
// is built.
void use_network(Simulation& simulation, const Network& network);

// Runs loading passes until one finds nothing left, as the first frames would;
// returns the number of passes, the last being the one that finds nothing.
int load_all_runs(Simulation& simulation);

} // namespace zintu
