// Run builder and loading pass: the timing rules that turn one frequency row
// into runs with a time for every stop.
#include "network/run_builder.h"

#include <cstdio>
#include <cstdlib>

namespace zintu {
namespace {

int32_t count_stop_points(const ShapeEntry& shape) {
    int32_t count = 0;
    for (int32_t i = 0; i < shape.shape_size; ++i) {
        if (shape.points[i].stop_id != 0) ++count;
    }
    return count;
}

// Interpolates the stop times of one run over its shape. `run.end` may grow
// while the stops are visited: a stop whose departure passes the end stretches
// it, and every later stop interpolates over the stretched span.
void time_stops(const ShapeEntry& shape, Run& run) {
    const ShapePoint* points = shape.points;
    const double last_dist = points[shape.shape_size - 1].dist;
    int32_t prev_departure = 0;
    int32_t k = 0;
    for (int32_t i = 0; i < shape.shape_size; ++i) {
        const ShapePoint& point = points[i];
        if (point.stop_id == 0) continue;
        const int32_t span = run.end - run.start;
        const double value = point.dist / last_dist * static_cast<double>(span) + run.start;
        int32_t arrival = static_cast<int32_t>(value);
        if (arrival < prev_departure) arrival = prev_departure + 1;
        const int32_t departure = arrival + kDwellSeconds;
        run.stops[k++] = StopTiming{arrival,
                                    departure,
                                    i,
                                    point.stop_id,
                                    static_cast<float>(point.y),
                                    static_cast<float>(point.x)};
        prev_departure = departure;
        if (departure > run.end) run.end = departure;
    }
}

} // namespace

void build_runs(const Network& network, LoadingState& loading, int32_t row_index) {
    const FrequencyRow& row = network.frequencies[row_index];
    const auto row_count = static_cast<std::size_t>(network.header->frequency_count);
    if (loading.loaded.size() != row_count) loading.loaded.resize(row_count, 0);
    loading.rows_processed += 1;
    loading.loaded[static_cast<std::size_t>(row_index)] = 1;

    // service_id indexes the run lists: anything but 1..3 would index outside
    // them, so it is fatal whichever side of the range it falls on.
    if (row.service_id > 3 || row.service_id < 1) {
        std::fputs("dah\n", stdout);
        std::fflush(stdout);
        std::exit(1);
    }
    if (row.start_time >= row.end_time || row.start_time == 0 || row.end_time == 0) return;
    if (row.shape_id == 0) return;
    // Values the generator never writes: a shape outside the table, a headway
    // that would never advance. Such a row yields nothing rather than a crash
    // or a hang.
    if (!shape_in_table(network, row.shape_id) || row.headway < 1) return;

    const ShapeEntry& shape = network.shapes[row.shape_id];
    if (shape.shape_size <= 0) return;
    // A shape with points but no stop has nothing to time; a zero final
    // distance has no fraction to interpolate with.
    const int32_t stop_count = count_stop_points(shape);
    if (stop_count == 0 || !(shape.points[shape.shape_size - 1].dist > 0.0)) return;

    ServiceRuns& list = loading.service_runs[row.service_id - 1];
    // 64-bit so that a window ending near the top of the int32 range cannot
    // make the departure time overflow into an endless loop.
    for (int64_t t = row.start_time; t < row.end_time; t += row.headway) {
        Run run{row.shape_id, static_cast<int32_t>(t), static_cast<int32_t>(t) + row.run_time,
                stop_count, std::make_unique_for_overwrite<StopTiming[]>(stop_count)};
        time_stops(shape, run);
        list.runs.push_back(std::move(run));
    }
}

void loading_pass(const Network& network, LoadingState& loading) {
    if (loading.loading_complete) return;
    loading.loading_complete = true;
    int32_t handled = 0;
    const int32_t row_count = network.header->frequency_count;
    for (int32_t i = 0; i < row_count; ++i) {
        if (i < static_cast<int32_t>(loading.loaded.size()) && loading.loaded[i] == 1) continue;
        build_runs(network, loading, i);
        loading.loading_complete = false;
        if (++handled > kLoadingPassCap) break;
    }
}

} // namespace zintu
