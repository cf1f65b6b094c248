// Formatting of feed errors as "file:line: problem".
#include "feed_error.h"

namespace zintu::gtfs {
namespace {

std::string format(const std::string& file, int64_t line, const std::string& problem) {
    if (file.empty()) return problem;
    if (line <= 0) return file + ": " + problem;
    return file + ":" + std::to_string(line) + ": " + problem;
}

} // namespace

FeedError::FeedError(std::string file, int64_t line, const std::string& problem)
    : std::runtime_error(format(file, line, problem)), file_(std::move(file)), line_(line),
      problem_(problem) {}

void fail_at(const SourceRef& source, const std::string& problem) {
    throw FeedError(source.file, source.line, problem);
}

} // namespace zintu::gtfs
