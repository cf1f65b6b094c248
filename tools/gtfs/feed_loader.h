// Loading one feed from a directory or zip file into memory, with every
// reference checked.
#pragma once

#include "feed.h"

#include <string>

namespace zintu::gtfs {

// Reads stops, routes, trips, stop_times, the calendar tables and, when
// present, shapes and frequencies. Throws FeedError naming the file and line of
// the first problem: a missing file or column, a duplicate or unknown id, a
// value that does not parse.
Feed load_feed(const std::string& path);

} // namespace zintu::gtfs
