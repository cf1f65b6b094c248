// An index of the runs in time. For each service list it keeps, per bucket of
// service time, the indices of the runs whose [start, end] window meets that
// bucket, in list order. A placement walk then visits only the runs of the one
// bucket that holds the clock's time instead of the whole list, and visits
// them in the order the full walk would: every active run lies in that bucket,
// and a bucket's runs are in ascending list order because runs are only ever
// appended. The loading pass appends runs; `update_run_index` adds them.
#pragma once

#include "network/run_builder.h"
#include "sim/clock.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zintu {

// Width of a bucket: short enough that few of a bucket's runs are inactive,
// long enough that a run of an hour sits in a dozen buckets, not hundreds.
inline constexpr int32_t kRunBucketSeconds = 300;
// The service times a walk can ask about: the clock runs from 0 to 86400 and
// the slots' day offsets are -86400, 0 and +86400.
inline constexpr int32_t kIndexFirstTime = -kSecondsPerDay;
inline constexpr int32_t kIndexLastTime = 2 * kSecondsPerDay;
inline constexpr int32_t kRunBucketCount =
    (kIndexLastTime - kIndexFirstTime) / kRunBucketSeconds + 1;

struct ServiceRunIndex {
    // kRunBucketCount lists of run indices, each ascending; empty before the
    // first update.
    std::vector<std::vector<int32_t>> buckets;
    // Runs [0, indexed) of the list are in the buckets; later ones are not yet.
    int32_t indexed = 0;
};

// One index per service list, at the list's index.
using RunIndex = std::array<ServiceRunIndex, 3>;

// Adds the runs appended to the lists since the last update.
void update_run_index(RunIndex& index, const ServiceRunsTable& service_runs);

// The bucket that holds service time `time`, or -1 when it lies outside the
// indexed span (or is not a number).
int32_t run_bucket(double time);

} // namespace zintu
