// Comparison of whole networks, for tests that check a network survives a
// trip through a file or a generated source unchanged.
#pragma once

#include "network/network.h"

#include <string>

namespace zintu::testing {

// The first difference between the tables of two networks (header, rows,
// shapes with their points, weekday map, shape styles), or "" when they are
// the same.
// NetworkInfo is not compared.
std::string table_difference(const Network& a, const Network& b);

} // namespace zintu::testing
