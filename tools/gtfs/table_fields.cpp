// Field readers shared by the table loaders.
#include "table_fields.h"

#include "feed.h"
#include "feed_error.h"
#include "gtfs_time.h"

#include <charconv>
#include <cmath>

namespace zintu::gtfs {

CsvReader open_table(const FeedSource& source, const std::string& name) {
    return CsvReader(source.open(name), source.display_name(name));
}

std::string_view required_value(const CsvReader& reader, int column, std::string_view column_name) {
    const std::string_view value = reader.trimmed(column);
    if (value.empty()) reader.fail("empty " + std::string(column_name));
    return value;
}

void add_unique_id(IdIndex& index, std::string_view id, int32_t position, const CsvReader& reader,
                   std::string_view column_name) {
    if (!index.emplace(std::string(id), position).second)
        reader.fail("duplicate " + std::string(column_name) + " " + quote_field(id));
}

int32_t resolve_reference(const IdIndex& index, std::string_view id, const CsvReader& reader,
                          std::string_view what) {
    const auto found = index.find(id);
    if (found == index.end()) reader.fail("unknown " + std::string(what) + " " + quote_field(id));
    return found->second;
}

int64_t integer_value(const CsvReader& reader, int column, std::string_view column_name) {
    const std::string_view text = required_value(reader, column, column_name);
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < INT32_MIN ||
        value > INT32_MAX)
        reader.fail(std::string(column_name) + " " + quote_field(text) + " is not an integer");
    return value;
}

double decimal_value(const CsvReader& reader, int column, std::string_view column_name) {
    const std::string_view text = required_value(reader, column, column_name);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        reader.fail(std::string(column_name) + " " + quote_field(text) + " is not a number");
    return value;
}

int32_t time_value(const CsvReader& reader, int column, std::string_view column_name,
                   bool allow_empty) {
    const std::string_view text = reader.trimmed(column);
    if (text.empty() && allow_empty) return kNoTime;
    const auto value = parse_service_time(text);
    if (!value)
        reader.fail(std::string(column_name) + " " + quote_field(text) +
                    " is not a time (H:MM:SS)");
    if (*value > kMaxServiceTime)
        reader.fail(std::string(column_name) + " " + quote_field(text) +
                    " is more than a week after the service day's midnight");
    return *value;
}

int32_t date_value(const CsvReader& reader, int column, std::string_view column_name) {
    const std::string_view text = reader.trimmed(column);
    const auto value = parse_feed_date(text);
    if (!value)
        reader.fail(std::string(column_name) + " " + quote_field(text) +
                    " is not a date (YYYYMMDD)");
    return *value;
}

} // namespace zintu::gtfs
