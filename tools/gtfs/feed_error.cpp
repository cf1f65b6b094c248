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

std::string quote_field(std::string_view value) {
    std::string out = "'";
    for (size_t i = 0; i < value.size() && i < kQuotedBytes; ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c < 0x20 || c == 0x7F) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    out += value.size() > kQuotedBytes ? "'..." : "'";
    return out;
}

void fail_at(const SourceRef& source, const std::string& problem) {
    throw FeedError(source.file, source.line, problem);
}

} // namespace zintu::gtfs
