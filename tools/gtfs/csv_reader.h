// A streaming reader for the CSV files of a transit feed: RFC 4180 quoting
// (quoted fields, doubled quotes, line breaks inside quotes), an optional UTF-8
// byte-order mark, LF, CRLF or CR line ends, blank lines skipped, and columns
// found by their header name, in any order and among any others.
#pragma once

#include "byte_source.h"

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zintu::gtfs {

// No feed table needs longer values or records; a longer one is an error, so
// that a hostile file (a gigabyte on one line) costs no more memory than these.
inline constexpr size_t kMaxFieldBytes = 8 * 1024;
inline constexpr size_t kMaxRecordBytes = 64 * 1024;

class CsvReader {
public:
    // Reads the header line at once; throws FeedError when there is none.
    CsvReader(std::unique_ptr<ByteSource> source, std::string file_name);

    const std::string& file_name() const { return file_name_; }

    // Index of the column with this header name, or -1.
    int column(std::string_view name) const;
    // As column(), but a missing column is an error in the feed.
    int required_column(std::string_view name) const;

    // Moves to the next record; false at the end of the file.
    bool next();
    // Calls `body` for every record. Running out of memory on the way is an
    // error at the record that needed it.
    template <typename Body>
    void for_each(Body body) {
        while (next()) {
            try {
                body();
            } catch (const std::bad_alloc&) {
                fail("out of memory");
            }
        }
    }
    // The field of the current record in `column`; empty when the column is -1
    // or the record is shorter than the header.
    std::string_view field(int column) const;
    // As field(), with spaces and tabs around the value removed.
    std::string_view trimmed(int column) const;
    // The line on which the current record starts (the header is line 1).
    int64_t line() const { return record_line_; }

    // Throws FeedError at the current record.
    [[noreturn]] void fail(const std::string& problem) const;

private:
    int get();
    bool read_record();
    void append(char c, size_t field_start);

    std::unique_ptr<ByteSource> source_;
    std::string file_name_;
    std::vector<char> buffer_;
    size_t buffer_pos_ = 0;
    size_t buffer_end_ = 0;
    int pushed_back_ = -2;
    bool at_end_ = false;

    std::vector<std::string> header_;
    std::string record_;
    std::vector<std::pair<size_t, size_t>> fields_; // offset and length in record_
    int64_t next_line_ = 1;
    int64_t record_line_ = 0;
    int64_t header_line_ = 1;
};

std::string_view trim(std::string_view text);

} // namespace zintu::gtfs
