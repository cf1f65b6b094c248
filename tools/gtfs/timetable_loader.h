// The timed tables of a feed: stop_times.txt, grouped into trips, and
// frequencies.txt.
#pragma once

#include "feed.h"
#include "feed_source.h"
#include "table_fields.h"

namespace zintu::gtfs {

// Reads stop_times.txt into feed.stop_times, grouped by trip in stop_sequence
// order, and sets each trip's range. Every trip needs at least two stop times,
// a time at its first and last stop, and times that never go backwards.
void load_stop_times(const FeedSource& source, Feed& feed, const IdIndex& trips,
                     const IdIndex& stops);

// Reads frequencies.txt, when the feed has one.
void load_frequencies(const FeedSource& source, Feed& feed, const IdIndex& trips);

} // namespace zintu::gtfs
