// `zintu --vehicles`: the vehicles of one moment as CSV, without any graphics.
#pragma once

#include "app/settings.h"
#include "network/network.h"

#include <cstdint>
#include <cstdio>

namespace zintu {

// Builds every run with the loading passes the saver runs frame by frame, sets
// the clock to `epoch_seconds` (local time) and places the vehicles once. The
// CSV goes to `out`, the overlay's first two lines to `err`. Returns the exit
// status.
int print_vehicle_list(Network network, const Settings& settings, int64_t epoch_seconds,
                       std::FILE* out, std::FILE* err);

} // namespace zintu
