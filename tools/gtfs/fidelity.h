// How closely the generated rows reproduce the real timetable: the program's
// own run builder expands them, and its runs are compared with the feed's trips.
#pragma once

#include "network_tables.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zintu::gtfs {

// One departure of the real timetable on service day type `service`.
struct RealDeparture {
    int32_t service;
    int32_t shape_id;
    int32_t departure;
    int32_t arrival;
};

struct DepartureCount {
    int32_t service;
    int32_t shape_id;
    int64_t real;
    int64_t generated;
};

// Vehicles on the road at one service time, per service day type.
struct OnRoad {
    int32_t time;
    std::array<int64_t, 3> real;
    std::array<int64_t, 3> generated;
};

// Where two on-road curves differ most: by how much, at what time, on which
// service day type.
struct CurveGap {
    double difference = 0.0;
    int32_t time = 0;
    int32_t service = 0;

    void offer(double value, int32_t at, int32_t service_id) {
        if (value <= difference) return;
        difference = value;
        time = at;
        service = service_id;
    }
};

struct Fidelity {
    std::vector<DepartureCount> counts; // per (service, shape), in that order
    int64_t count_mismatches = 0;
    // |generated - real| over all departures, pairing them in time order
    // within each (service, shape).
    int64_t departures = 0;
    int32_t offset_median = 0;
    int32_t offset_p95 = 0;
    int32_t offset_max = 0;
    double offset_mean = 0.0;
    std::vector<OnRoad> on_road; // every kCurveStep seconds
    // Largest relative difference where the real timetable has at least
    // kCurveFloor vehicles on the road, and the largest absolute difference.
    CurveGap worst_relative;
    CurveGap worst_absolute;
    // What the run builder made of the rows.
    std::array<int64_t, 3> runs{};
    std::array<int64_t, 3> departures_per_service{}; // of the real timetable
    int64_t stop_timings = 0;
    int32_t latest_end = 0;
};

inline constexpr int32_t kCurveStep = 900;
inline constexpr int64_t kCurveFloor = 100;

Fidelity measure_fidelity(const NetworkTables& tables, const std::vector<RealDeparture>& real);

// Vehicles whose [start, end] window holds `time`, from sorted starts and ends.
int64_t vehicles_at(const std::vector<int32_t>& sorted_starts,
                    const std::vector<int32_t>& sorted_ends, int32_t time);

} // namespace zintu::gtfs
