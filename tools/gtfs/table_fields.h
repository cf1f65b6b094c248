// Typed reading of feed fields: each helper either returns a valid value or
// stops with a message that names the file, the line, the column and the value.
#pragma once

#include "csv_reader.h"
#include "feed_source.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zintu::gtfs {

struct StringHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// Index of each id in its table, looked up with string views.
using IdIndex = std::unordered_map<std::string, int32_t, StringHash, std::equal_to<>>;

CsvReader open_table(const FeedSource& source, const std::string& name);

// A value that must not be empty; `column_name` goes into the message.
std::string_view required_value(const CsvReader& reader, int column, std::string_view column_name);

// Registers `id` at `index`; a second record with the same id is an error.
void add_unique_id(IdIndex& index, std::string_view id, int32_t position, const CsvReader& reader,
                   std::string_view column_name);

// Looks up a reference to another table; an unknown id is an error that
// names `what` ("trip", "stop", ...).
int32_t resolve_reference(const IdIndex& index, std::string_view id, const CsvReader& reader,
                          std::string_view what);

int64_t integer_value(const CsvReader& reader, int column, std::string_view column_name);
double decimal_value(const CsvReader& reader, int column, std::string_view column_name);
// A service time; kNoTime when the field is empty and `allow_empty`. Times past
// midnight belong to the day before; no trip runs on for more than a week.
inline constexpr int32_t kMaxServiceTime = 7 * 86400;
int32_t time_value(const CsvReader& reader, int column, std::string_view column_name,
                   bool allow_empty);
int32_t date_value(const CsvReader& reader, int column, std::string_view column_name);

} // namespace zintu::gtfs
