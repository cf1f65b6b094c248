// The one error type of the generator: a problem in a feed, or in the tables
// generated from it, together with the file and line it comes from.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zintu::gtfs {

// `file` names the table as the user can find it ("feeds/subway/trips.txt");
// `line` is the line on which the offending record starts, or 0 when the
// problem concerns the file as a whole.
class FeedError : public std::runtime_error {
public:
    FeedError(std::string file, int64_t line, const std::string& problem);

    const std::string& file() const { return file_; }
    int64_t line() const { return line_; }
    const std::string& problem() const { return problem_; }

private:
    std::string file_;
    int64_t line_;
    std::string problem_;
};

// Where a generated row or shape comes from, so that a check on the tables can
// point back into the feed.
struct SourceRef {
    std::string file;
    int64_t line = 0;
};

[[noreturn]] void fail_at(const SourceRef& source, const std::string& problem);

} // namespace zintu::gtfs
