// Where the tables of one feed come from: a directory of CSV files or a zip
// archive holding them (at its root or in one folder inside it).
#pragma once

#include "byte_source.h"

#include <memory>
#include <string>

namespace zintu::gtfs {

class FeedSource {
public:
    virtual ~FeedSource() = default;
    // True when the feed has the table `name` ("stops.txt").
    virtual bool has(const std::string& name) const = 0;
    // Opens the table for reading; it must exist.
    virtual std::unique_ptr<ByteSource> open(const std::string& name) const = 0;
    // The table's name as messages show it: the feed's path and the name.
    virtual std::string display_name(const std::string& name) const = 0;
};

// Opens a directory or a zip file. Throws FeedError(path) when it is neither or
// cannot be read.
std::unique_ptr<FeedSource> open_feed_source(const std::string& path);

} // namespace zintu::gtfs
