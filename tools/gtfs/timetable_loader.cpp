// stop_times.txt and frequencies.txt. The stop times of the big feeds run to
// millions of rows, so each is kept as six integers.
#include "timetable_loader.h"

#include "feed_error.h"

#include <algorithm>

namespace zintu::gtfs {
namespace {

std::string trip_name(const Feed& feed, int32_t trip) {
    return "trip " + quote_field(feed.trips[static_cast<size_t>(trip)].id);
}

// Checks one trip's stop times, already in stop_sequence order.
void check_trip_times(const Feed& feed, const Trip& trip, int32_t trip_index) {
    const std::string& file = feed.stop_times_file;
    if (trip.stop_time_count < 2)
        throw FeedError(feed.trips_file, trip.line,
                        trip_name(feed, trip_index) + " has fewer than two stop times");
    const StopTime* times = feed.stop_times.data() + trip.first_stop_time;
    const StopTime& first = times[0];
    const StopTime& last = times[trip.stop_time_count - 1];
    if (first.arrival == kNoTime && first.departure == kNoTime)
        throw FeedError(file, first.line,
                        trip_name(feed, trip_index) + " has no time at its first stop");
    if (last.arrival == kNoTime && last.departure == kNoTime)
        throw FeedError(file, last.line,
                        trip_name(feed, trip_index) + " has no time at its last stop");
    int32_t previous = kNoTime;
    for (int32_t i = 0; i < trip.stop_time_count; ++i) {
        const StopTime& time = times[i];
        for (const int32_t t : {time.arrival, time.departure}) {
            if (t == kNoTime) continue;
            if (previous != kNoTime && t < previous)
                throw FeedError(file, time.line,
                                "times of " + trip_name(feed, trip_index) + " go backwards");
            previous = t;
        }
    }
}

} // namespace

void load_stop_times(const FeedSource& source, Feed& feed, const IdIndex& trips,
                     const IdIndex& stops) {
    CsvReader reader = open_table(source, "stop_times.txt");
    feed.stop_times_file = reader.file_name();
    const int trip_column = reader.required_column("trip_id");
    const int stop_column = reader.required_column("stop_id");
    const int sequence_column = reader.required_column("stop_sequence");
    const int arrival_column = reader.required_column("arrival_time");
    const int departure_column = reader.required_column("departure_time");
    reader.for_each([&] {
        StopTime time;
        time.trip = resolve_reference(trips, required_value(reader, trip_column, "trip_id"), reader,
                                      "trip");
        time.stop = resolve_reference(stops, required_value(reader, stop_column, "stop_id"), reader,
                                      "stop");
        if (!feed.stops[static_cast<size_t>(time.stop)].has_position)
            reader.fail("stop " + quote_field(feed.stops[static_cast<size_t>(time.stop)].id) +
                        " has no position");
        time.sequence =
            static_cast<int32_t>(integer_value(reader, sequence_column, "stop_sequence"));
        time.arrival = time_value(reader, arrival_column, "arrival_time", true);
        time.departure = time_value(reader, departure_column, "departure_time", true);
        time.line = static_cast<int32_t>(reader.line());
        feed.stop_times.push_back(time);
    });
    feed.stop_times.shrink_to_fit();
    std::stable_sort(feed.stop_times.begin(), feed.stop_times.end(),
                     [](const StopTime& a, const StopTime& b) {
                         return a.trip != b.trip ? a.trip < b.trip : a.sequence < b.sequence;
                     });
    for (size_t i = 0; i < feed.stop_times.size(); ++i) {
        const StopTime& time = feed.stop_times[i];
        Trip& trip = feed.trips[static_cast<size_t>(time.trip)];
        if (trip.stop_time_count == 0) {
            trip.first_stop_time = static_cast<int32_t>(i);
        } else if (feed.stop_times[i - 1].sequence == time.sequence) {
            throw FeedError(feed.stop_times_file, time.line,
                            "duplicate stop_sequence " + std::to_string(time.sequence) + " in " +
                                trip_name(feed, time.trip));
        }
        ++trip.stop_time_count;
    }
    for (size_t t = 0; t < feed.trips.size(); ++t)
        check_trip_times(feed, feed.trips[t], static_cast<int32_t>(t));
}

void load_frequencies(const FeedSource& source, Feed& feed, const IdIndex& trips) {
    if (!source.has("frequencies.txt")) return;
    CsvReader reader = open_table(source, "frequencies.txt");
    feed.frequencies_file = reader.file_name();
    const int trip_column = reader.required_column("trip_id");
    const int start_column = reader.required_column("start_time");
    const int end_column = reader.required_column("end_time");
    const int headway_column = reader.required_column("headway_secs");
    const int exact_column = reader.column("exact_times");
    reader.for_each([&] {
        Frequency frequency;
        frequency.trip = resolve_reference(trips, required_value(reader, trip_column, "trip_id"),
                                           reader, "trip");
        frequency.start_time = time_value(reader, start_column, "start_time", false);
        frequency.end_time = time_value(reader, end_column, "end_time", false);
        const int64_t headway = integer_value(reader, headway_column, "headway_secs");
        if (headway < 1) reader.fail("headway_secs must be at least 1");
        frequency.headway = static_cast<int32_t>(headway);
        if (frequency.end_time <= frequency.start_time)
            reader.fail("end_time is not after start_time");
        const std::string_view exact = reader.trimmed(exact_column);
        if (!exact.empty() && exact != "0" && exact != "1")
            reader.fail("exact_times " + quote_field(exact) + " is neither 0 nor 1");
        frequency.exact_times = exact == "1";
        frequency.line = static_cast<int32_t>(reader.line());
        feed.frequencies.push_back(frequency);
    });
}

} // namespace zintu::gtfs
