// Comparison of whole networks, for tests that check a network survives a
// trip through a file or a generated source unchanged.
#pragma once

#include "network/network.h"

#include <string>

namespace zintu::testing {

// The first difference between two networks' tables (NetworkInfo aside), or
// "" when they are the same.
std::string table_difference(const Network& a, const Network& b);

} // namespace zintu::testing
