// Timetable to frequency rows: the departures of one shape on one service day
// type are cut into bands of near-constant headway, and each band becomes one
// row that yields exactly the band's number of departures.
#pragma once

#include <cstdint>
#include <vector>

namespace zintu::gtfs {

struct Departure {
    int32_t time;     // service time of the first departure; 0 or later
    int32_t duration; // seconds, scaled to the whole shape
    int32_t source;   // the caller's index of the trip, carried into the band
};

// A row's values: departures at start_time + k * headway for k = 0 .. count - 1,
// and end_time = start_time + count * headway, so that a row expanded with
// "t < end_time" yields exactly `count` departures.
struct Band {
    int32_t start_time; // at least kEarliestStart
    int32_t headway;
    int32_t end_time;
    int32_t run_time; // mean duration of the band
    int32_t count;
    int32_t first_source; // source of the band's first departure
};

// The earliest time a row can start at.
inline constexpr int32_t kEarliestStart = 1;

struct BandingLimits {
    // No generated departure may lie further than this from the real one.
    int32_t max_offset = 150;
    // A band's durations stay within this fraction of their median, or within
    // min_duration_slack seconds of it, whichever is wider.
    double duration_spread = 0.12;
    int32_t min_duration_slack = 240;
    // Departures further apart than this are never in one band: a gap of hours
    // is a pause in service, not a headway.
    int32_t max_headway = 3600;
    // A band grows by checking every departure in it: its length bounds that work.
    int32_t max_band_departures = 500;
};

// Departures at the same second cannot share a row (its headway would be 0);
// the second and later ones at a time go into bands of their own. A row
// cannot start at 0 either (the run builder reads that as an empty window): a
// departure at 00:00:00 leaves at 00:00:01 in a band of its own, so that the
// departures after it keep their times instead of all leaving a second late.
std::vector<Band> cut_bands(std::vector<Departure> departures, const BandingLimits& limits = {});

// The departures a band yields.
std::vector<int32_t> band_departures(const Band& band);

} // namespace zintu::gtfs
