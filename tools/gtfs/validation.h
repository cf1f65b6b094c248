// The checks every generated data set passes before it is written: the
// invariants that the run builder and vehicle placement rely on.
#pragma once

#include "network_tables.h"

namespace zintu::gtfs {

// Throws FeedError at the feed record behind the first row or shape that breaks
// an invariant.
void validate_tables(const NetworkTables& tables);

} // namespace zintu::gtfs
