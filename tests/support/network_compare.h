// Comparisons of whole networks and of the runs built from them, for tests
// that check a network survives a trip through a file unchanged.
#pragma once

#include "network/network.h"
#include "network/run_builder.h"

#include <string>

namespace zintu::testing {

// The first difference between the tables of two networks (header, rows,
// shapes with their points, weekday map), or "" when they are the same.
// NetworkInfo is not compared.
std::string table_difference(const Network& a, const Network& b);

// The first difference between the runs of two loadings, or "" when every
// list holds the same runs with the same stop timings.
std::string run_difference(const ServiceRunsTable& a, const ServiceRunsTable& b);

} // namespace zintu::testing
