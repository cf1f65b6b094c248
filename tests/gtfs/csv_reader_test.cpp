// The CSV reader over the shapes of file that real feeds come in.
#include "csv_reader.h"
#include "fixture_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zintu::gtfs {
namespace {

struct Record {
    int64_t line;
    std::vector<std::string> fields;
    bool operator==(const Record&) const = default;
};

// Every record as (line, fields in the order of `columns`).
std::vector<Record> read_all(const std::string& text, const std::vector<std::string>& columns) {
    CsvReader reader(memory_source(text), "t.txt");
    std::vector<int> indices;
    for (const auto& name : columns)
        indices.push_back(reader.column(name));
    std::vector<Record> records;
    while (reader.next()) {
        Record record{reader.line(), {}};
        for (int index : indices)
            record.fields.emplace_back(reader.field(index));
        records.push_back(record);
    }
    return records;
}

TEST(CsvReader, ReadsTheShapesOfFileFeedsComeIn) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<Record> expected;
    };
    const std::vector<std::string> columns = {"a", "b"};
    const std::vector<Case> cases = {
        // clang-format off
        {"plain", "a,b\n1,2\n3,4\n", {{2, {"1", "2"}}, {3, {"3", "4"}}}},
        {"byte-order mark and CRLF", "\xEF\xBB\xBF" "a,b\r\n1,2\r\n", {{2, {"1", "2"}}}},
        {"lone CR line ends", "a,b\r1,2\r3,4", {{2, {"1", "2"}}, {3, {"3", "4"}}}},
        {"no final line end", "a,b\n1,2", {{2, {"1", "2"}}}},
        {"reordered and extra columns", "x,b,y,a\n0,2,9,1\n", {{2, {"1", "2"}}}},
        {"header names padded", " a , b\n1,2\n", {{2, {"1", "2"}}}},
        {"quoted comma and doubled quote", "a,b\n\"x, y\",\"say \"\"hi\"\"\"\n",
         {{2, {"x, y", "say \"hi\""}}}},
        {"line break inside quotes counts lines", "a,b\n\"one\ntwo\",2\n3,4\n",
         {{2, {"one\ntwo", "2"}}, {4, {"3", "4"}}}},
        {"blank lines skipped", "a,b\n\n1,2\r\n\r\n3,4\n", {{3, {"1", "2"}}, {5, {"3", "4"}}}},
        {"short record reads empty fields", "a,b\n1\n", {{2, {"1", ""}}}},
        {"empty quoted field is a record", "a,b\n\"\"\n", {{2, {"", ""}}}},
        {"UTF-8 kept as bytes", "a,b\nCaf\xC3\xA9,2\n", {{2, {"Caf\xC3\xA9", "2"}}}},
        // clang-format on
    };
    for (const Case& c : cases)
        EXPECT_EQ(read_all(c.text, columns), c.expected) << c.what;
}

TEST(CsvReader, MalformedInputIsAnErrorWithItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "t.txt: empty file: no header line"},
        {"\n\r\n", "t.txt: empty file: no header line"},
        {"a,b\n1,2\n\"open,3\n", "t.txt:3: quoted field is not closed"},
        {"a,b\n\"x\"y,2\n", "t.txt:2: unexpected character after a closing quote"},
        {"\xEF\xBB"
         "a,b\n",
         "t.txt:1: malformed byte-order mark"},
        {"\n\nb,c\n1,2\n", "t.txt:3: missing required column 'a'"}, // named at the header
    };
    for (const auto& [text, message] : cases) {
        EXPECT_EQ(testing::error_of([&] {
                      CsvReader reader(memory_source(text), "t.txt");
                      reader.required_column("a");
                      while (reader.next()) {
                      }
                  }),
                  message);
    }
}

TEST(CsvReader, ReadsAcrossBufferBoundaries) {
    // Larger than the reader's buffer, with a quoted field on every line.
    std::string text = "id,name\n";
    for (int i = 0; i < 20000; ++i)
        text += std::to_string(i) + ",\"n, " + std::to_string(i) + "\"\n";
    CsvReader reader(memory_source(text), "t.txt");
    int count = 0;
    while (reader.next()) {
        ASSERT_EQ(reader.field(0), std::to_string(count));
        ASSERT_EQ(reader.field(1), "n, " + std::to_string(count));
        ASSERT_EQ(reader.line(), count + 2);
        ++count;
    }
    EXPECT_EQ(count, 20000);
}

} // namespace
} // namespace zintu::gtfs
