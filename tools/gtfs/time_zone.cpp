// TZif reading (RFC 8536): only far enough to find the footer, which holds the
// POSIX TZ rule for times after the last transition.
#include "time_zone.h"

#include "feed_error.h"
#include "network/tz_rule.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace zintu::gtfs {
namespace {

constexpr size_t kHeaderBytes = 44;
// Real TZif files are a few kilobytes; anything far bigger is not one.
constexpr std::streamsize kMaxTzifBytes = 1 << 20;

uint64_t big_endian(std::string_view bytes, size_t at) {
    uint64_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The size of the data block after the header at `at`, whose times take
// `time_bytes` each (4 in the version 1 block, 8 in the later one).
uint64_t data_block_bytes(std::string_view tzif, size_t at, uint64_t time_bytes) {
    if (tzif.size() < at + kHeaderBytes || tzif.substr(at, 4) != "TZif")
        throw std::invalid_argument("is not a TZif file");
    const uint64_t isut = big_endian(tzif, at + 20);
    const uint64_t isstd = big_endian(tzif, at + 24);
    const uint64_t leap = big_endian(tzif, at + 28);
    const uint64_t time = big_endian(tzif, at + 32);
    const uint64_t type = big_endian(tzif, at + 36);
    const uint64_t chars = big_endian(tzif, at + 40);
    return time * (time_bytes + 1) + type * 6 + chars + leap * (time_bytes + 4) + isstd + isut;
}

bool valid_zone_name(const std::string& name) {
    if (name.empty() || name.size() > 255 || name.front() == '/' || name.back() == '/')
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('/', start), name.size());
        const std::string_view part = std::string_view(name).substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        for (char c : part) {
            const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                            (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '+' || c == '.';
            if (!ok) return false;
        }
        start = end + 1;
    }
    return true;
}

TimeZone checked_zone(const Feed& feed, const Agency& agency, const std::string& zoneinfo_dir) {
    try {
        return load_time_zone(zoneinfo_dir, agency.time_zone);
    } catch (const std::invalid_argument& problem) {
        throw FeedError(feed.agency_file, agency.line,
                        "agency_timezone " + quote_field(agency.time_zone) + " " + problem.what());
    }
}

} // namespace

std::string tzif_rule(std::string_view tzif) {
    if (tzif.size() < kHeaderBytes || tzif.substr(0, 4) != "TZif")
        throw std::invalid_argument("is not a TZif file");
    if (tzif[4] == '\0') throw std::invalid_argument("is a version 1 TZif file, without a TZ rule");
    const uint64_t second_header = kHeaderBytes + data_block_bytes(tzif, 0, 4);
    if (second_header > tzif.size()) throw std::invalid_argument("is a truncated TZif file");
    const uint64_t footer = second_header + kHeaderBytes +
                            data_block_bytes(tzif, static_cast<size_t>(second_header), 8);
    if (footer >= tzif.size() || tzif[static_cast<size_t>(footer)] != '\n')
        throw std::invalid_argument("has no TZ rule at the end of its TZif file");
    const size_t start = static_cast<size_t>(footer) + 1;
    const size_t end = tzif.find('\n', start);
    if (end == std::string_view::npos)
        throw std::invalid_argument("has no TZ rule at the end of its TZif file");
    const std::string_view rule = tzif.substr(start, end - start);
    if (rule.empty()) throw std::invalid_argument("has an empty TZ rule");
    for (char c : rule) {
        if (c < 0x20 || c > 0x7E) throw std::invalid_argument("has a malformed TZ rule");
    }
    // The saver reads the rule at run time; one it cannot read would show the
    // city at the machine's own time.
    if (!parse_tz_rule(rule)) throw std::invalid_argument("has a TZ rule the saver cannot read");
    return std::string(rule);
}

TimeZone load_time_zone(const std::string& zoneinfo_dir, const std::string& name) {
    const std::string not_a_zone = "is not a zone of the zone database in " + zoneinfo_dir;
    if (!valid_zone_name(name)) throw std::invalid_argument(not_a_zone);
    std::ifstream file(zoneinfo_dir + "/" + name, std::ios::binary);
    std::string bytes;
    if (file) {
        bytes.resize(static_cast<size_t>(kMaxTzifBytes) + 1);
        file.read(bytes.data(), kMaxTzifBytes + 1);
        bytes.resize(static_cast<size_t>(file.gcount()));
    }
    if (!file.is_open() || bytes.size() < 4 || bytes.compare(0, 4, "TZif") != 0)
        throw std::invalid_argument(not_a_zone);
    return TimeZone{name, tzif_rule(bytes)};
}

TimeZone network_time_zone(const std::vector<Feed>& feeds, const std::optional<std::string>& chosen,
                           const std::string& zoneinfo_dir) {
    if (chosen) {
        try {
            return load_time_zone(zoneinfo_dir, *chosen);
        } catch (const std::invalid_argument& problem) {
            throw FeedError("", 0, "--timezone " + quote_field(*chosen) + " " + problem.what());
        }
    }
    const Feed* first_feed = nullptr;
    const Agency* first = nullptr;
    TimeZone zone;
    for (const Feed& feed : feeds) {
        for (const Agency& agency : feed.agencies) {
            if (first == nullptr) {
                zone = checked_zone(feed, agency, zoneinfo_dir);
                first_feed = &feed;
                first = &agency;
            } else if (agency.time_zone != first->time_zone) {
                checked_zone(feed, agency, zoneinfo_dir);
                throw FeedError(feed.agency_file, agency.line,
                                "agency_timezone " + quote_field(agency.time_zone) +
                                    " differs from " + quote_field(first->time_zone) + " (" +
                                    first_feed->agency_file + ":" + std::to_string(first->line) +
                                    "): choose one with --timezone");
            }
        }
    }
    return zone;
}

} // namespace zintu::gtfs
