// CSV parsing as a small state machine over a buffered byte stream, so that
// files of hundreds of megabytes are read without holding them in memory.
#include "csv_reader.h"

#include "feed_error.h"

namespace zintu::gtfs {
namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr int kEnd = -1;

} // namespace

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

CsvReader::CsvReader(std::unique_ptr<ByteSource> source, std::string file_name)
    : source_(std::move(source)), file_name_(std::move(file_name)), buffer_(kBufferSize) {
    // A UTF-8 byte-order mark is not part of the first column's name.
    const char bom[] = "\xEF\xBB\xBF";
    int first = get();
    if (first == static_cast<unsigned char>(bom[0])) {
        const int second = get();
        const int third = get();
        if (second != static_cast<unsigned char>(bom[1]) ||
            third != static_cast<unsigned char>(bom[2]))
            throw FeedError(file_name_, 1, "malformed byte-order mark");
    } else {
        pushed_back_ = first;
    }
    if (!read_record()) throw FeedError(file_name_, 0, "empty file: no header line");
    header_line_ = record_line_;
    for (size_t i = 0; i < fields_.size(); ++i)
        header_.emplace_back(trim(field(static_cast<int>(i))));
}

int CsvReader::get() {
    if (pushed_back_ != -2) {
        const int c = pushed_back_;
        pushed_back_ = -2;
        return c;
    }
    if (buffer_pos_ == buffer_end_) {
        if (at_end_) return kEnd;
        buffer_end_ = source_->read(buffer_.data(), buffer_.size());
        buffer_pos_ = 0;
        if (buffer_end_ == 0) {
            at_end_ = true;
            return kEnd;
        }
    }
    return static_cast<unsigned char>(buffer_[buffer_pos_++]);
}

// Adds one byte to the field that starts at `field_start`, within the limits.
void CsvReader::append(char c, size_t field_start) {
    const size_t field_length = record_.size() - field_start;
    if (field_length >= kMaxFieldBytes || record_.size() >= kMaxRecordBytes) {
        const std::string limit =
            field_length >= kMaxFieldBytes
                ? "is longer than " + std::to_string(kMaxFieldBytes) + " bytes"
                : "makes the record longer than " + std::to_string(kMaxRecordBytes) + " bytes";
        throw FeedError(file_name_, record_line_,
                        "field " + std::to_string(fields_.size() + 1) + " " + limit + ": " +
                            quote_field(std::string_view(record_).substr(field_start)));
    }
    record_.push_back(c);
}

// Reads one record into record_/fields_, skipping blank lines. Returns false at
// the end of the input.
bool CsvReader::read_record() {
    enum class State { FieldStart, Unquoted, Quoted, AfterQuote };
    for (;;) {
        record_.clear();
        fields_.clear();
        record_line_ = next_line_;
        State state = State::FieldStart;
        size_t field_start = 0;
        bool quoted_any = false;
        int c = get();
        if (c == kEnd) return false;
        for (;; c = get()) {
            if (state == State::Quoted) {
                if (c == kEnd) {
                    throw FeedError(file_name_, record_line_, "quoted field is not closed");
                } else if (c == '"') {
                    state = State::AfterQuote;
                } else {
                    if (c == '\n') ++next_line_;
                    append(static_cast<char>(c), field_start);
                }
                continue;
            }
            if (state == State::AfterQuote && c == '"') { // a doubled quote
                append('"', field_start);
                state = State::Quoted;
                continue;
            }
            const bool line_end = c == '\n' || c == '\r' || c == kEnd;
            if (line_end || c == ',') {
                fields_.emplace_back(field_start, record_.size() - field_start);
                field_start = record_.size();
                state = State::FieldStart;
                if (!line_end) continue;
                if (c == '\r') {
                    const int after = get();
                    if (after != '\n') pushed_back_ = after;
                }
                if (c != kEnd) ++next_line_;
                break;
            }
            if (state == State::AfterQuote)
                throw FeedError(file_name_, record_line_,
                                "unexpected character after a closing quote");
            if (state == State::FieldStart && c == '"') {
                state = State::Quoted;
                quoted_any = true;
                continue;
            }
            append(static_cast<char>(c), field_start);
            state = State::Unquoted;
        }
        const bool blank = fields_.size() == 1 && fields_[0].second == 0 && !quoted_any;
        if (!blank) return true;
    }
}

int CsvReader::column(std::string_view name) const {
    for (size_t i = 0; i < header_.size(); ++i) {
        if (header_[i] == name) return static_cast<int>(i);
    }
    return -1;
}

int CsvReader::required_column(std::string_view name) const {
    const int index = column(name);
    if (index < 0)
        throw FeedError(file_name_, header_line_,
                        "missing required column '" + std::string(name) + "'");
    return index;
}

bool CsvReader::next() {
    return read_record();
}

std::string_view CsvReader::field(int column) const {
    if (column < 0 || static_cast<size_t>(column) >= fields_.size()) return {};
    const auto [offset, length] = fields_[static_cast<size_t>(column)];
    return std::string_view(record_).substr(offset, length);
}

std::string_view CsvReader::trimmed(int column) const {
    return trim(field(column));
}

void CsvReader::fail(const std::string& problem) const {
    throw FeedError(file_name_, record_line_, problem);
}

} // namespace zintu::gtfs
