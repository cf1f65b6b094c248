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

// Where two on-road curves differ most: at what time, on which service day
// type, with how many vehicles on each side.
struct CurveGap {
    bool any = false;
    int32_t service = 0;
    int32_t time = 0;
    int64_t real = 0;
    int64_t generated = 0;

    int64_t difference() const { return generated > real ? generated - real : real - generated; }
    // Relative to the timetable's vehicles; only offered where it has some.
    double relative() const {
        return real > 0 ? static_cast<double>(difference()) / static_cast<double>(real) : 0.0;
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
    // Over every quarter hour with a vehicle on the road: the largest
    // difference in vehicles, and the largest relative to the timetable's.
    CurveGap worst_absolute;
    CurveGap worst_relative;
    // What the run builder made of the rows.
    std::array<int64_t, 3> runs{};
    std::array<int64_t, 3> departures_per_service{}; // of the real timetable
    int64_t stop_timings = 0;
    int32_t latest_end = 0;
};

inline constexpr int32_t kCurveStep = 900;
// Below this many vehicles a percentage says little: a difference this small
// always passes the on-road check.
inline constexpr int64_t kOnRoadSlack = 3;

Fidelity measure_fidelity(const NetworkTables& tables, const std::vector<RealDeparture>& real);

// Throws FeedError, at the feed record of the shape, when the rows of a
// (service, shape) yield another number of departures than the timetable.
void check_departure_counts(const Fidelity& fidelity, const NetworkTables& tables);

// Throws FeedError when at some quarter hour the vehicles on the road differ
// from the timetable's by more than `max_percent` of them and more than
// kOnRoadSlack vehicles.
void check_on_road(const Fidelity& fidelity, double max_percent);

// Vehicles whose [start, end] window holds `time`, from sorted starts and ends.
int64_t vehicles_at(const std::vector<int32_t>& sorted_starts,
                    const std::vector<int32_t>& sorted_ends, int32_t time);

} // namespace zintu::gtfs
