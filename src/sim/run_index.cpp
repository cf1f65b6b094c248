// Filling the buckets of the run index as runs are appended.
#include "sim/run_index.h"

#include <algorithm>
#include <cmath>

namespace zintu {

int32_t run_bucket(double time) {
    // Written so that a NaN fails the test.
    if (!(time >= kIndexFirstTime && time <= kIndexLastTime)) return -1;
    return static_cast<int32_t>(std::floor((time - kIndexFirstTime) / kRunBucketSeconds));
}

void update_run_index(RunIndex& index, const ServiceRunsTable& service_runs) {
    for (std::size_t s = 0; s < service_runs.size(); ++s) {
        ServiceRunIndex& service = index[s];
        const ServiceRuns& list = service_runs[s];
        if (service.buckets.empty()) service.buckets.resize(kRunBucketCount);
        // A list that shrank (it never does while the program runs) is
        // indexed again from its start.
        if (service.indexed > list.count()) {
            for (std::vector<int32_t>& bucket : service.buckets)
                bucket.clear();
            service.indexed = 0;
        }
        for (int32_t i = service.indexed; i < list.count(); ++i) {
            const Run& run = list.runs[i];
            // A run that ends before it starts, or lies wholly outside the
            // span, can never be active: it goes in no bucket.
            if (run.end < run.start || run.end < kIndexFirstTime || run.start > kIndexLastTime)
                continue;
            const int32_t first = run_bucket(std::max(run.start, kIndexFirstTime));
            const int32_t last = run_bucket(std::min(run.end, kIndexLastTime));
            for (int32_t b = first; b <= last; ++b)
                service.buckets[b].push_back(i);
        }
        service.indexed = list.count();
    }
}

} // namespace zintu
