// Vehicle placement: which runs are on the road at the clock's time, where each
// vehicle stands on its shape and which way it faces. Nothing is drawn here;
// each placed vehicle goes to a consumer the caller gives.
#pragma once

#include "network/network.h"
#include "network/run_builder.h"
#include "sim/clock.h"

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

// Walks every run of the window in order, hands each placed vehicle to
// `consume(x, y, heading, shape_id)` and returns the number of active runs,
// drawn or not.
template <class Consumer>
int32_t place_vehicles(const Network& network, const ServiceRunsTable& service_runs,
                       const SimClock& clock, Consumer&& consume) {
    int32_t vehicle_count = 0;
    ServiceSlot slots[3];
    service_day_window(network, clock.local_time.tm_wday, slots);
    const double now = clock.seconds;
    for (const ServiceSlot& slot : slots) {
        const ServiceRuns& list = service_runs[slot.service_index];
        const int32_t count = list.count();
        for (int32_t i = 0; i < count; ++i) {
            const Run& run = list.runs[i];
            if (!(run.start + slot.day_offset <= now && run.end + slot.day_offset >= now)) continue;
            ++vehicle_count;
            Vehicle vehicle;
            if (place_run(network, run, slot.day_offset, clock.seconds, vehicle)) {
                consume(vehicle.x, vehicle.y, vehicle.heading, vehicle.shape_id);
            }
        }
    }
    return vehicle_count;
}

} // namespace zintu
