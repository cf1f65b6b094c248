// The invariants a network keeps before the program uses it, and the limits on
// its size and on the work its rows make.
//
// The compiled-in tables keep them by construction; a network read from a file
// passes these checks before anything else reads it. Once they hold, the run
// builder, vehicle placement and the projection never index outside a table,
// overflow a 32-bit sum, divide by zero, loop without end or allocate without
// limit, whatever the file held.
#pragma once

#include "network/network.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zintu {

// Table sizes. New York has 8,302 rows, 647 shape entries and 60,233 points.
inline constexpr int32_t kMaxFrequencyRows = 1'000'000;
inline constexpr int32_t kMaxShapeEntries = 1'000'000;
inline constexpr int32_t kMaxShapePoints = 10'000'000; // over all shapes

// The run builder's work. New York makes 64,970 runs with 1,899,592 stop
// timings (about 46 MB); the caps allow some fifteen and thirteen times that.
// A row with a headway of 1 s over a long window is refused, not expanded.
inline constexpr int64_t kMaxRuns = 1'000'000;
inline constexpr int64_t kMaxStopTimings = 25'000'000;

// Every coordinate (shape points and the downtown point) lies within
// ±kMaxCoordinate: exactly representable as a float, and differences of two
// coordinates or sums with an offset stay far inside 32 bits. New York spans
// about ±2,650.
inline constexpr int32_t kMaxCoordinate = 10'000'000;

// Service times, run times and headways lie within a week: far past the 28 h
// of any real service day, and far from overflowing when a day's offset or a
// run's stretched end is added.
inline constexpr int32_t kMaxServiceTime = 7 * 86400;

// Distances along a shape are finite, from 0 to this.
inline constexpr double kMaxDist = 1e9;

// Longest texts of NetworkInfo, in bytes.
inline constexpr size_t kMaxNameBytes = 200;
inline constexpr size_t kMaxTimeZoneBytes = 100;
inline constexpr size_t kMaxTzRuleBytes = 100;
inline constexpr size_t kMaxSourceBytes = 2000;
inline constexpr size_t kMaxGeneratedBytes = 40;
inline constexpr size_t kMaxSummaryBytes = 400;
inline constexpr size_t kMaxWeekBytes = 10; // "YYYY-MM-DD"

struct NetworkWork {
    int64_t runs = 0;
    int64_t stop_timings = 0;
};

// The runs and stop timings the run builder makes of every row, counted
// without building them. Only for a network whose rows and shapes are checked.
NetworkWork network_work(const Network& network);

// Empty when `network` keeps every invariant and limit, otherwise its first
// fault in one line without a trailing full stop, e.g.
// "shape 12: dist decreases at point 4".
//
// Shape styles, where the network has them, name a colour (0xRRGGBB or
// none), a kind this program knows and a route number below shape_count, one
// kind for all shapes of a route. A network drawn in line colours has styles;
// its week is empty or a Monday, "YYYY-MM-DD".
//
// Rows whose window is empty (start_time >= end_time) or has a zero time are
// accepted: the run builder passes over them and feeds have them. Their other
// fields must still be valid, including a shape_id naming a shape with a stop.
std::string check_network(const Network& network);

} // namespace zintu
