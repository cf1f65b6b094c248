// Encoding and decoding of network files, field by field in little-endian
// order; the layout is in network_file.h.
#include "network/network_file.h"

#include "network/network_check.h"
#include "network/utf8.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zintu {
namespace {

using std::to_string;

constexpr size_t kCrcOffset = 8;
constexpr size_t kCrcStart = 12; // the CRC covers everything after itself
constexpr size_t kPreambleBytes = 20;
constexpr size_t kRowBytes = 24;
constexpr size_t kShapeSizeBytes = 4;
constexpr size_t kPointBytes = 20;
constexpr size_t kStyleBytes = 9;
constexpr size_t kFileSizeOffset = 16;
constexpr size_t kFixedBytesV1 = 128;

constexpr int kTexts = 7; // the week is the last, and version 1 has not got it
constexpr int kTextsV1 = 6;
constexpr size_t kTextLimits[kTexts] = {kMaxNameBytes,   kMaxTimeZoneBytes,  kMaxTzRuleBytes,
                                        kMaxSourceBytes, kMaxGeneratedBytes, kMaxSummaryBytes,
                                        kMaxWeekBytes};
constexpr const char* kTextFields[kTexts] = {"name",      "time_zone", "tz_rule", "source",
                                             "generated", "summary",   "week"};

class ByteWriter {
public:
    void u32(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            out_.push_back(static_cast<char>(value >> shift & 0xFF));
    }
    void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
    void u8(uint8_t value) { out_.push_back(static_cast<char>(value)); }
    void f64(double value) {
        const auto bits = std::bit_cast<uint64_t>(value);
        u32(static_cast<uint32_t>(bits));
        u32(static_cast<uint32_t>(bits >> 32));
    }
    void bytes(std::string_view text) { out_.append(text); }
    static void patch_u32(std::string& bytes, size_t offset, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[offset + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
    std::string& out() { return out_; }

private:
    std::string out_;
};

// Reads fields from bytes whose length the caller has already checked.
class ByteReader {
public:
    ByteReader(std::string_view bytes, size_t offset) : bytes_(bytes), offset_(offset) {}
    uint32_t u32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= uint32_t{static_cast<unsigned char>(bytes_[offset_++])} << (8 * i);
        return value;
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    uint8_t u8() { return static_cast<uint8_t>(bytes_[offset_++]); }
    double f64() {
        const uint64_t low = u32();
        const uint64_t high = u32();
        return std::bit_cast<double>(high << 32 | low);
    }
    std::string_view bytes(size_t count) {
        const std::string_view part = bytes_.substr(offset_, count);
        offset_ += count;
        return part;
    }

private:
    std::string_view bytes_;
    size_t offset_;
};

uint32_t crc_of(std::string_view bytes) {
    const auto* data = reinterpret_cast<const Bytef*>(bytes.data()) + kCrcStart;
    return static_cast<uint32_t>(crc32_z(crc32_z(0L, Z_NULL, 0), data, bytes.size() - kCrcStart));
}

std::string_view text_of(const NetworkInfo& info, int index) {
    const std::string_view texts[kTexts] = {info.name,   info.time_zone, info.tz_rule,
                                            info.source, info.generated, info.summary,
                                            info.week};
    return texts[index];
}

std::string* text_of(LoadedNetwork& out, int index) {
    std::string* texts[kTexts] = {&out.name,      &out.time_zone, &out.tz_rule, &out.source,
                                  &out.generated, &out.summary,   &out.week};
    return texts[index];
}

size_t fixed_bytes(uint32_t version) {
    return version == 1 ? kFixedBytesV1 : kNetworkFileFixedBytes;
}

// The preamble: magic, version, size and CRC, before a single count is read.
std::string check_preamble(std::string_view bytes) {
    if (bytes.size() < sizeof kNetworkFileMagic ||
        std::memcmp(bytes.data(), kNetworkFileMagic, sizeof kNetworkFileMagic) != 0)
        return "not a network file";
    if (bytes.size() < kPreambleBytes) return "truncated: " + to_string(bytes.size()) + " bytes";
    ByteReader in(bytes, kCrcOffset);
    const uint32_t crc = in.u32();
    const uint32_t version = in.u32();
    const uint32_t file_size = in.u32();
    if (version != 1 && version != kNetworkFileVersion)
        return "format version " + to_string(version) +
               " is not supported (this program reads 1 to " + to_string(kNetworkFileVersion) + ")";
    if (file_size > max_network_file_bytes())
        return "its header gives " + to_string(file_size) + " bytes, more than any network (" +
               to_string(max_network_file_bytes()) + ")";
    if (bytes.size() < file_size)
        return "truncated: " + to_string(bytes.size()) + " of its " + to_string(file_size) +
               " bytes";
    if (bytes.size() > file_size)
        return "longer than the " + to_string(file_size) + " bytes its header gives";
    if (file_size < fixed_bytes(version))
        return "its " + to_string(file_size) + " bytes are fewer than the " +
               to_string(fixed_bytes(version)) + " of the fixed part";
    if (crc_of(bytes) != crc) return "damaged: the checksum does not match";
    return {};
}

std::string count_fault(const char* field, int64_t value, int64_t low, int64_t high) {
    if (value >= low && value <= high) return {};
    return std::string(field) + " " + to_string(value) + " is outside " + to_string(low) + " to " +
           to_string(high);
}

std::string decode(std::string_view bytes, LoadedNetwork& out) {
    std::string fault = check_preamble(bytes);
    if (!fault.empty()) return fault;

    const uint32_t version = ByteReader(bytes, kCrcStart).u32();
    const int texts = version == 1 ? kTextsV1 : kTexts;
    ByteReader in(bytes, kPreambleBytes);
    NetworkHeader& h = out.header;
    for (int32_t* field : {&h.y_max, &h.y_min, &h.x_max, &h.x_min, &h.y_span, &h.x_span,
                           &h.y_center, &h.x_center, &h.frequency_count})
        *field = in.i32();
    const int32_t shape_count = in.i32();
    const int32_t point_count = in.i32();
    for (int32_t& list : out.weekday_service_map)
        list = in.i32();
    const int32_t has_downtown = in.i32();
    out.downtown_x = in.i32();
    out.downtown_y = in.i32();
    uint32_t text_lengths[kTexts] = {};
    for (int i = 0; i < texts; ++i)
        text_lengths[i] = in.u32();
    // Version 1 files have neither: they are drawn featured.
    const uint32_t colours = version == 1 ? 0 : in.u32();
    const int32_t style_count = version == 1 ? 0 : in.i32();

    fault = count_fault("frequency_count", h.frequency_count, 0, kMaxFrequencyRows);
    if (fault.empty()) fault = count_fault("shape_count", shape_count, 1, kMaxShapeEntries);
    if (fault.empty()) fault = count_fault("point_count", point_count, 0, kMaxShapePoints);
    if (fault.empty()) fault = count_fault("has_downtown", has_downtown, 0, 1);
    if (fault.empty()) fault = count_fault("colours", colours, 0, 1);
    if (fault.empty() && style_count != 0 && style_count != shape_count)
        fault = "style_count " + to_string(style_count) + " is neither 0 nor shape_count " +
                to_string(shape_count);
    if (!fault.empty()) return fault;
    uint64_t text_bytes = 0;
    for (int i = 0; i < texts; ++i) {
        if (text_lengths[i] > kTextLimits[i])
            return std::string(kTextFields[i]) + ": " + to_string(text_lengths[i]) +
                   " bytes, more than " + to_string(kTextLimits[i]);
        text_bytes += text_lengths[i];
    }
    const uint64_t described = fixed_bytes(version) +
                               kRowBytes * static_cast<uint64_t>(h.frequency_count) +
                               kShapeSizeBytes * static_cast<uint64_t>(shape_count) +
                               kPointBytes * static_cast<uint64_t>(point_count) +
                               kStyleBytes * static_cast<uint64_t>(style_count) + text_bytes;
    if (described != bytes.size())
        return "the counts describe " + to_string(described) + " bytes, the file has " +
               to_string(bytes.size());

    // Every count is now backed by bytes of the file, so the tables can be sized.
    out.frequencies.resize(static_cast<size_t>(h.frequency_count));
    for (FrequencyRow& r : out.frequencies) {
        for (int32_t* field :
             {&r.service_id, &r.headway, &r.run_time, &r.start_time, &r.end_time, &r.shape_id})
            *field = in.i32();
    }
    out.shapes.assign(static_cast<size_t>(shape_count), ShapeEntry{0, nullptr});
    int64_t points_named = 0;
    for (size_t id = 0; id < out.shapes.size(); ++id) {
        const int32_t size = in.i32();
        if (size < 0) return "shape " + to_string(id) + ": " + to_string(size) + " points";
        points_named += size;
        out.shapes[id].shape_size = size;
    }
    if (points_named != point_count)
        return "the shapes have " + to_string(points_named) + " points in all, point_count says " +
               to_string(point_count);
    out.points.resize(static_cast<size_t>(point_count));
    for (ShapePoint& p : out.points) {
        p.y = in.i32();
        p.x = in.i32();
        p.stop_id = in.i32();
        p.dist = in.f64();
    }
    size_t first = 0;
    for (ShapeEntry& shape : out.shapes) {
        if (shape.shape_size == 0) continue;
        shape.points = out.points.data() + first;
        first += static_cast<size_t>(shape.shape_size);
    }
    out.shape_styles.resize(static_cast<size_t>(style_count));
    for (ShapeStyle& style : out.shape_styles) {
        style.colour = in.u32();
        style.kind = static_cast<RouteKind>(in.u8());
        style.route = in.i32();
    }
    for (int i = 0; i < kTexts; ++i)
        text_of(out, i)->assign(in.bytes(text_lengths[i]));
    out.has_downtown = has_downtown == 1;
    out.colours = colours == 1 ? NetworkColours::Lines : NetworkColours::Featured;

    return check_network(out.view());
}

#ifdef _WIN32
// Windows names files in UTF-16, and the runtime's narrow fopen reads a name
// in the ANSI code page, which cannot spell most names. Paths are UTF-8
// throughout the program, so here they are widened for _wfopen; a byte that
// is not part of well-formed UTF-8 becomes U+FFFD, which names no file.
std::FILE* open_for_reading(const std::string& path) {
    std::wstring wide;
    for (size_t i = 0; i < path.size();) {
        const CodePoint c = next_code_point(path, i);
        uint32_t code = c.length == 0 ? 0xFFFD : c.code;
        i += c.length == 0 ? 1 : c.length;
        if (code >= 0x10000) {
            wide.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
            code = 0xDC00 + ((code - 0x10000) & 0x3FF);
        }
        wide.push_back(static_cast<wchar_t>(code));
    }
    return _wfopen(wide.c_str(), L"rb");
}
#else
std::FILE* open_for_reading(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}
#endif

} // namespace

Network LoadedNetwork::view() const {
    return {&header,
            frequencies.data(),
            shapes.data(),
            static_cast<int32_t>(shapes.size()),
            weekday_service_map,
            {name, time_zone, tz_rule, has_downtown, downtown_x, downtown_y, source, generated,
             summary, colours, week},
            shape_styles.empty() ? nullptr : shape_styles.data()};
}

std::string encode_network(const Network& network) {
    const NetworkHeader& h = *network.header;
    const NetworkInfo& info = network.info;
    int32_t point_count = 0;
    for (int32_t id = 0; id < network.shape_count; ++id)
        point_count += std::max(network.shapes[id].shape_size, 0);

    ByteWriter out;
    out.bytes(std::string_view(kNetworkFileMagic, sizeof kNetworkFileMagic));
    out.u32(0); // crc, patched below
    out.u32(kNetworkFileVersion);
    out.u32(0); // file_size, patched below
    for (int32_t field : {h.y_max, h.y_min, h.x_max, h.x_min, h.y_span, h.x_span, h.y_center,
                          h.x_center, h.frequency_count})
        out.i32(field);
    out.i32(network.shape_count);
    out.i32(point_count);
    for (int day = 0; day < 7; ++day)
        out.i32(network.weekday_service_map[day]);
    out.i32(info.has_downtown ? 1 : 0);
    out.i32(info.downtown_x);
    out.i32(info.downtown_y);
    for (int i = 0; i < kTexts; ++i)
        out.u32(static_cast<uint32_t>(text_of(info, i).size()));
    out.u32(info.colours == NetworkColours::Lines ? 1 : 0);
    out.i32(network.shape_styles != nullptr ? network.shape_count : 0);

    for (int32_t i = 0; i < h.frequency_count; ++i) {
        const FrequencyRow& r = network.frequencies[i];
        for (int32_t field :
             {r.service_id, r.headway, r.run_time, r.start_time, r.end_time, r.shape_id})
            out.i32(field);
    }
    for (int32_t id = 0; id < network.shape_count; ++id)
        out.i32(network.shapes[id].shape_size);
    for (int32_t id = 0; id < network.shape_count; ++id) {
        const ShapeEntry& shape = network.shapes[id];
        for (int32_t i = 0; i < shape.shape_size; ++i) {
            out.i32(shape.points[i].y);
            out.i32(shape.points[i].x);
            out.i32(shape.points[i].stop_id);
            out.f64(shape.points[i].dist);
        }
    }
    for (int32_t id = 0; network.shape_styles != nullptr && id < network.shape_count; ++id) {
        const ShapeStyle& style = network.shape_styles[id];
        out.u32(style.colour);
        out.u8(static_cast<uint8_t>(style.kind));
        out.i32(style.route);
    }
    for (int i = 0; i < kTexts; ++i)
        out.bytes(text_of(info, i));

    seal_network_file(out.out());
    return std::move(out.out());
}

void seal_network_file(std::string& bytes) {
    ByteWriter::patch_u32(bytes, kFileSizeOffset, static_cast<uint32_t>(bytes.size()));
    ByteWriter::patch_u32(bytes, kCrcOffset, crc_of(bytes));
}

std::string decode_network(std::string_view bytes, std::string_view file_name, LoadedNetwork& out) {
    const std::string fault = decode(bytes, out);
    if (fault.empty()) return {};
    return std::string(file_name) + ": " + fault;
}

size_t max_network_file_bytes() {
    size_t texts = 0;
    for (size_t limit : kTextLimits)
        texts += limit;
    return kNetworkFileFixedBytes + kRowBytes * kMaxFrequencyRows +
           (kShapeSizeBytes + kStyleBytes) * kMaxShapeEntries + kPointBytes * kMaxShapePoints +
           texts;
}

std::string load_network_file(const std::string& path, LoadedNetwork& out) {
    std::FILE* file = open_for_reading(path);
    if (file == nullptr) return path + ": cannot read: " + std::strerror(errno);
    // Read in pieces rather than by a size the file claims, and stop as soon
    // as the bytes read so far are enough to refuse the file: a wrong magic,
    // or more bytes than its header or any network allows.
    std::string bytes;
    char piece[1 << 16];
    for (;;) {
        const size_t read = std::fread(piece, 1, sizeof piece, file);
        bytes.append(piece, read);
        if (read < sizeof piece) break;
        if (std::memcmp(bytes.data(), kNetworkFileMagic, sizeof kNetworkFileMagic) != 0) break;
        const uint32_t file_size = ByteReader(bytes, kFileSizeOffset).u32();
        if (file_size > max_network_file_bytes() || bytes.size() > file_size) break;
    }
    const bool failed = std::ferror(file) != 0;
    const int read_error = errno;
    std::fclose(file);
    if (failed)
        return path + ": cannot read" +
               (read_error != 0 ? ": " + std::string(std::strerror(read_error)) : "");
    return decode_network(bytes, path, out);
}

} // namespace zintu
