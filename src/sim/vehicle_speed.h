// How fast vehicles move on the map: a bound on each active run's speed over
// the span until the next frame, so a window can wait as long as no vehicle
// moves visibly. Only bounds, never positions: nothing here changes where a
// vehicle is drawn.
#pragma once

#include "network/network.h"
#include "network/run_builder.h"
#include "sim/placement.h"

#include <cstdint>
#include <vector>

namespace zintu {

// Map units per unit of `dist` for each entry of the shape table: the largest
// ratio of a step's length on the map to its growth in `dist`, so that a speed
// along `dist` times it bounds the speed on the map anywhere on the shape.
// 0 for an empty entry.
std::vector<float> shape_map_factors(const Network& network);

// The highest speed, in units of `dist` per second, that a vehicle of `run`
// (service times moved by `offset`) reaches at any moment from `now` to
// `now + horizon` under the eased profile of each leg between two stops;
// 0 when it stands at stops all that span.
double run_speed_bound(const ShapeEntry& shape, const Run& run, int32_t offset, double now,
                       double horizon);

// The highest bound in map units per second over the runs active at the
// clock's time (the indexed walk of the frame), counting only those for
// which `counts(run, offset, map_speed)` says yes; it is asked only for runs
// faster than the fastest counted so far.
template <class Counts>
double fastest_vehicle(const Network& network, const ServiceRunsTable& service_runs,
                       const RunIndex& index, const SimClock& clock,
                       const std::vector<float>& map_factors, double horizon, Counts&& counts) {
    double fastest = 0.0;
    const double now = clock.seconds;
    visit_window_runs(network, service_runs, index, clock, [&](const Run& run, int32_t offset) {
        if (!(run.start + offset <= now && run.end + offset >= now)) return;
        if (!shape_in_table(network, run.shape_id)) return;
        const auto shape = static_cast<std::size_t>(run.shape_id);
        if (shape >= map_factors.size()) return;
        const double speed =
            run_speed_bound(network.shapes[run.shape_id], run, offset, now, horizon) *
            map_factors[shape];
        if (speed > fastest && counts(run, offset, speed)) fastest = speed;
    });
    return fastest;
}

} // namespace zintu
