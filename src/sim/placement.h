// Vehicle placement: which runs are on the road at the clock's time, where each
// vehicle stands on its shape and which way it faces. Nothing is drawn here;
// each placed vehicle goes to a consumer the caller gives.
#pragma once

#include "network/network.h"
#include "network/run_builder.h"
#include "sim/clock.h"
#include "sim/run_index.h"

#include <cstdint>

namespace zintu {

struct Vehicle {
    float x;
    float y;
    float heading; // radians, atan2(dy, dx) in map coordinates
    int32_t shape_id;
};

// One slot of the service day window: a run list and the offset added to its
// service times before they are compared with the clock.
struct ServiceSlot {
    int32_t service_index;
    int32_t day_offset;
};

// Yesterday's, today's and tomorrow's services for weekday `tm_wday`.
void service_day_window(const Network& network, int tm_wday, ServiceSlot (&slots)[3]);

// Places one active run at `seconds`; false when it is not drawn this frame
// (terminal dwell, too few stops, or a skip the timing rules call for).
bool place_run(const Network& network, const Run& run, int32_t offset, float seconds,
               Vehicle& vehicle);

// The active test, the count and the consumer call for one run of a slot.
template <class Consumer>
inline void place_if_active(const Network& network, const Run& run, int32_t offset,
                            const SimClock& clock, int32_t& vehicle_count, Consumer& consume) {
    const double now = clock.seconds;
    if (!(run.start + offset <= now && run.end + offset >= now)) return;
    ++vehicle_count;
    Vehicle vehicle;
    if (place_run(network, run, offset, clock.seconds, vehicle)) {
        consume(vehicle.x, vehicle.y, vehicle.heading, vehicle.shape_id);
    }
}

// Walks every run of the window in order, hands each placed vehicle to
// `consume(x, y, heading, shape_id)` and returns the number of active runs,
// drawn or not.
template <class Consumer>
int32_t place_vehicles(const Network& network, const ServiceRunsTable& service_runs,
                       const SimClock& clock, Consumer&& consume) {
    int32_t vehicle_count = 0;
    ServiceSlot slots[3];
    service_day_window(network, clock.local_time.tm_wday, slots);
    for (const ServiceSlot& slot : slots) {
        const ServiceRuns& list = service_runs[slot.service_index];
        const int32_t count = list.count();
        for (int32_t i = 0; i < count; ++i)
            place_if_active(network, list.runs[i], slot.day_offset, clock, vehicle_count, consume);
    }
    return vehicle_count;
}

// The runs the indexed walk visits, in its order: of each slot's list the
// runs of the bucket that holds the clock's time, then the runs appended
// since the index was last updated; the whole list for a time outside the
// indexed span. `visit(run, day_offset)` sees every run that may be active
// (and others); it tests activity itself.
template <class Visit>
void visit_window_runs(const Network& network, const ServiceRunsTable& service_runs,
                       const RunIndex& index, const SimClock& clock, Visit&& visit) {
    ServiceSlot slots[3];
    service_day_window(network, clock.local_time.tm_wday, slots);
    const double now = clock.seconds;
    for (const ServiceSlot& slot : slots) {
        const ServiceRuns& list = service_runs[slot.service_index];
        const ServiceRunIndex& service = index[slot.service_index];
        const int32_t count = list.count();
        const int32_t bucket = run_bucket(now - slot.day_offset);
        int32_t unindexed = 0;
        if (bucket >= 0 && !service.buckets.empty() && service.indexed <= count) {
            for (const int32_t i : service.buckets[bucket])
                visit(list.runs[i], slot.day_offset);
            unindexed = service.indexed;
        }
        for (int32_t i = unindexed; i < count; ++i)
            visit(list.runs[i], slot.day_offset);
    }
}

// The same walk through the run index (visit_window_runs). The vehicles,
// their order and the count are those of the walk over every run.
template <class Consumer>
int32_t place_vehicles(const Network& network, const ServiceRunsTable& service_runs,
                       const RunIndex& index, const SimClock& clock, Consumer&& consume) {
    int32_t vehicle_count = 0;
    visit_window_runs(network, service_runs, index, clock, [&](const Run& run, int32_t offset) {
        place_if_active(network, run, offset, clock, vehicle_count, consume);
    });
    return vehicle_count;
}

} // namespace zintu
