// Sequential byte streams that the CSV reader pulls its input from: a file, an
// entry of a zip archive, or a string in memory (tests).
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace zintu::gtfs {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes; returns 0 only at the end. Throws FeedError
    // when the underlying read fails.
    virtual size_t read(char* buffer, size_t size) = 0;
};

// Throws FeedError(path) when the file cannot be opened.
std::unique_ptr<ByteSource> open_file_source(const std::string& path);

std::unique_ptr<ByteSource> memory_source(std::string text);

} // namespace zintu::gtfs
