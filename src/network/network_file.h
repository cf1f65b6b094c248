// Network files (*.zintu): a whole network, tables and metadata, in one binary
// file that the program reads at start-up instead of its compiled-in tables.
//
// Every field is written and read one at a time in little-endian order, so a
// file is the same on every host. i32 is a two's complement 32-bit integer,
// u32 an unsigned one, f64 an IEEE 754 double; the file has no padding.
//
// Version 2 (what the writer writes):
//
// | Offset | Type    | Field                                                       |
// |--------|---------|-------------------------------------------------------------|
// | 0      | 8 bytes | magic "ZINTUNET"                                            |
// | 8      | u32     | crc: CRC-32 (zlib's) of every byte from offset 12 to the end |
// | 12     | u32     | version: 2                                                  |
// | 16     | u32     | file_size: bytes in the whole file                          |
// | 20     | i32 × 9 | NetworkHeader: y_max, y_min, x_max, x_min, y_span, x_span,  |
// |        |         | y_center, x_center, frequency_count                         |
// | 56     | i32     | shape_count: entries of the shape table, entry 0 included   |
// | 60     | i32     | point_count: points of all shapes together                  |
// | 64     | i32 × 7 | weekday service map, tm_wday 0 (Sunday) to 6                |
// | 92     | i32     | has_downtown: 0 or 1                                        |
// | 96     | i32     | downtown_x                                                  |
// | 100    | i32     | downtown_y                                                  |
// | 104    | u32 × 7 | byte lengths of name, time_zone, tz_rule, source, generated, |
// |        |         | summary and week                                            |
// | 132    | u32     | colours under the automatic choice: 0 featured, 1 lines     |
// | 136    | i32     | style_count: 0 (no shape styles) or shape_count             |
// | 140    |         | end of the fixed part; the tables follow, in this order:    |
//
// | Part        | Size                | Each element                                   |
// |-------------|---------------------|------------------------------------------------|
// | rows        | 24 × frequency_count | i32 service_id, headway, run_time, start_time, |
// |             |                     | end_time, shape_id                             |
// | shape sizes | 4 × shape_count     | i32 shape_size of entries 0 to shape_count - 1 |
// | points      | 20 × point_count    | i32 y, i32 x, i32 stop_id, f64 dist; shape 1's |
// |             |                     | points first, then shape 2's, and so on        |
// | styles      | 9 × style_count     | u32 colour (0xRRGGBB, 0xFFFFFFFF for none),    |
// |             |                     | u8 kind (RouteKind), i32 route; entry 0 first  |
// | texts       | sum of the lengths  | name, time_zone, tz_rule, source, generated,   |
// |             |                     | summary, week:                                 |
// |             |                     | UTF-8, one after the other, no terminators     |
//
// Version 1 is version 2 without the week's length, colours and style_count:
// its fixed part ends at offset 128, it has no styles and six texts. Such a
// file reads as a network without styles, drawn featured, of no known week.
//
// The file ends right after the texts. A reader checks, in this order: magic,
// version, file_size against the bytes it read, the CRC, the counts against
// their limits and the file's size, the shape sizes against point_count, and
// then every invariant of check_network (network_check.h). Nothing is
// allocated for a count that the file's own size does not back.
#pragma once

#include "network/network.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zintu {

inline constexpr char kNetworkFileMagic[8] = {'Z', 'I', 'N', 'T', 'U', 'N', 'E', 'T'};
inline constexpr uint32_t kNetworkFileVersion = 2;
inline constexpr size_t kNetworkFileFixedBytes = 140;

// A network read from a file: it owns its tables, and view() is the Network
// the rest of the program reads. The shape entries point into `points`, so the
// object is neither copied nor moved; the view stays valid while it lives.
struct LoadedNetwork {
    LoadedNetwork() = default;
    LoadedNetwork(const LoadedNetwork&) = delete;
    LoadedNetwork& operator=(const LoadedNetwork&) = delete;

    NetworkHeader header{};
    std::vector<FrequencyRow> frequencies;
    std::vector<ShapeEntry> shapes;
    std::vector<ShapePoint> points;
    int32_t weekday_service_map[7] = {};
    bool has_downtown = false;
    int32_t downtown_x = 0;
    int32_t downtown_y = 0;
    std::string name;
    std::string time_zone;
    std::string tz_rule;
    std::string source;
    std::string generated;
    std::string summary;
    std::string week;
    NetworkColours colours = NetworkColours::Featured;
    std::vector<ShapeStyle> shape_styles; // empty, or one per shape entry

    Network view() const;
};

// The file's bytes for `network`, whatever it holds: encoding checks nothing,
// so a writer that wants a file the reader accepts decodes it again.
std::string encode_network(const Network& network);

// Sets the file_size and crc fields of `bytes` (at least 20 long) to match
// the bytes: the writer's last step, and how tests and fuzzers make a changed
// file reach the checks behind the checksum.
void seal_network_file(std::string& bytes);

// Reads a network from the bytes of a file named `file_name`. Returns an empty
// string and fills `out` when the bytes are a valid network; otherwise returns
// one line naming the file and its first fault
// ("city.zintu: shape 12: dist decreases at point 4") and leaves `out` in an
// unspecified state.
std::string decode_network(std::string_view bytes, std::string_view file_name, LoadedNetwork& out);

// Reads and decodes the file at `path`; errors as decode_network, including
// one for a file that cannot be read ("city.zintu: cannot read: No such file
// or directory").
std::string load_network_file(const std::string& path, LoadedNetwork& out);

// The largest file that the limits of network_check.h allow.
size_t max_network_file_bytes();

} // namespace zintu
