// Expansion of frequency rows into timed vehicle runs, spread over frames.
//
// The runs of each service day type are kept in their own list; the loading
// pass hands at most 501 not-yet-handled rows per frame to `build_runs`, so
// vehicles appear row by row during the first frames instead of all at start-up.
#pragma once

#include "network/network.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace zintu {

// Every vehicle stands this many seconds at each stop, first and last included.
inline constexpr int32_t kDwellSeconds = 9;
// A loading pass ends once it has handled more than this many rows.
inline constexpr int32_t kLoadingPassCap = 500;

struct StopTiming {
    int32_t arrival;
    int32_t departure; // always arrival + kDwellSeconds
    int32_t point_index;
    int32_t stop_id;
    float y;
    float x;
};

// One vehicle trip along one shape, in service times (seconds since the
// midnight that starts the service day; may exceed 86400).
struct Run {
    int32_t shape_id;
    int32_t start;
    int32_t end;
    int32_t stop_count;
    std::unique_ptr<StopTiming[]> stops;
};

struct ServiceRuns {
    std::vector<Run> runs; // in the order in which they were built

    int32_t count() const { return static_cast<int32_t>(runs.size()); }
};

// One list per service_id, at index service_id - 1.
using ServiceRunsTable = std::array<ServiceRuns, 3>;

struct LoadingState {
    ServiceRunsTable service_runs;
    // One mark per frequency row, 1 once `build_runs` has handled it; sized to
    // the network's row count by the first row handled.
    std::vector<uint8_t> loaded;
    int32_t rows_processed = 0;
    bool loading_complete = false;
};

// Handles frequency row `row_index`: counts and marks it, then appends its runs
// to the list of its service. A row whose service_id is not 1, 2 or 3 writes
// "dah" to standard output and ends the process with status 1.
void build_runs(const Network& network, LoadingState& loading, int32_t row_index);

// One frame's share of the expansion: builds up to 501 unhandled rows, or sets
// `loading_complete` when it finds none left.
void loading_pass(const Network& network, LoadingState& loading);

} // namespace zintu
