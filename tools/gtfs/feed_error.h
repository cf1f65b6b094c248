// The one error type of the generator: a problem in a feed, or in the tables
// generated from it, together with the file and line it comes from.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

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

// A value from a feed as a message quotes it: in single quotes, cut to its
// first kQuotedBytes bytes, control characters escaped, so that a message about
// a hostile field stays one short line.
inline constexpr size_t kQuotedBytes = 64;
std::string quote_field(std::string_view value);

} // namespace zintu::gtfs
