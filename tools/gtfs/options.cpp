// Command-line parsing: a pure function from arguments to options or one error.
#include "options.h"

#include "gtfs_time.h"
#include "id_assignment.h"
#include "output_files.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>

namespace zintu::gtfs {

const char* const kUsage =
    "usage: zintu-gtfs [options] FEED...\n"
    "Reads GTFS feeds (zip files or directories), merges them and writes the\n"
    "network: a network file for zintu to show, or a C++ source file to build\n"
    "into the program, with a Markdown report beside it.\n"
    "\n"
    "  FEED                a GTFS feed: a .zip file or a directory of .txt tables\n"
    "  --week YYYY-MM-DD   a Monday: the timetables of that week's Wednesday,\n"
    "                      Saturday and Sunday become services 1, 2 and 3\n"
    "                      (default: this week if the feeds run on those days,\n"
    "                      otherwise the first week of their calendars that does)\n"
    "  -o, --output FILE   the file to write: a network file if FILE ends in\n"
    "                      .zintu, otherwise a C++ source file (default: the\n"
    "                      network's name with .zintu, in the current folder)\n"
    "  --report FILE       the report (default: REPORT.md beside the output)\n"
    "  --feature ROUTE     a featured route: its route_id, or a route_short_name\n"
    "                      that names one route; up to four, in order, giving the\n"
    "                      busiest shape of each direction the ids 1-2, 3-4, 5-6,\n"
    "                      7-8. With featured routes the network is drawn in\n"
    "                      their colours; without them, in each route's own\n"
    "  --units-per-km N    map scale (default: the longer side about 5,300 units)\n"
    "  --max-offset S      a time band keeps every departure within S seconds of\n"
    "                      the timetable (default 150)\n"
    "  --duration-spread P a time band keeps trip durations within P percent of\n"
    "                      their median (default 12)\n"
    "  --name TEXT         the network's name (default: the agencies' names)\n"
    "  --downtown LAT,LON  the centre of the downtown view (default: 750 map\n"
    "                      units south of the map's centre)\n"
    "  --timezone ZONE     the network's time zone, a zone of the zone database\n"
    "                      (default: the feeds' agency_timezone, which must agree)\n"
    "  --max-on-road-diff PCT  fail unless the vehicles on the road stay within PCT\n"
    "                      percent (or 3 vehicles) of the timetable at every quarter hour\n"
    "  --help              this text\n"
    "  --version           the program's version\n"
    "\n"
    "Each route keeps its route_color and route_type; a value that cannot be used\n"
    "is a warning. A stop more than 1 km from its trip's shape is drawn on the\n"
    "shape, with a warning. SOURCE_DATE_EPOCH, when set, is the generation time\n"
    "the network records and the moment whose date chooses the week; TZDIR, when\n"
    "set, is the zone database's folder.\n";

namespace {

bool takes_value(const std::string& name) {
    return name == "--week" || name == "-o" || name == "--output" || name == "--report" ||
           name == "--feature" || name == "--units-per-km" || name == "--max-offset" ||
           name == "--duration-spread" || name == "--name" || name == "--downtown" ||
           name == "--timezone" || name == "--max-on-road-diff";
}

std::optional<double> number(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> positive_number(const std::string& value) {
    const auto parsed = number(value);
    if (!parsed || *parsed <= 0.0) return std::nullopt;
    return parsed;
}

std::optional<LatLon> lat_lon(const std::string& value) {
    const size_t comma = value.find(',');
    if (comma == std::string::npos) return std::nullopt;
    const auto lat = number(std::string_view(value).substr(0, comma));
    const auto lon = number(std::string_view(value).substr(comma + 1));
    if (!lat || !lon || std::abs(*lat) > 90.0 || std::abs(*lon) > 180.0) return std::nullopt;
    return LatLon{*lat, *lon};
}

std::string apply(Options& options, const std::string& name, const std::string& value) {
    if (name == "--week") {
        const auto day = parse_iso_date(value);
        if (!day) return "--week: '" + value + "' is not a date (YYYY-MM-DD)";
        if (weekday_of(*day) != 0) return "--week: " + value + " is not a Monday";
        options.generator.week_monday = *day;
    } else if (name == "-o" || name == "--output") {
        options.output = value;
    } else if (name == "--report") {
        options.report = value;
    } else if (name == "--feature") {
        if (value.empty()) return "--feature: empty route id";
        if (options.generator.featured.size() >= static_cast<size_t>(kFeaturedPairs))
            return "--feature: at most " + std::to_string(kFeaturedPairs) + " featured routes";
        options.generator.featured.push_back(value);
    } else if (name == "--units-per-km") {
        const auto scale = positive_number(value);
        if (!scale) return "--units-per-km: '" + value + "' is not a positive number";
        options.generator.units_per_km = *scale;
    } else if (name == "--max-offset") {
        const auto seconds = positive_number(value);
        if (!seconds || *seconds != std::floor(*seconds) || *seconds > 86400.0)
            return "--max-offset: '" + value + "' is not a whole number of seconds from 1 to 86400";
        options.generator.banding.max_offset = static_cast<int32_t>(*seconds);
    } else if (name == "--duration-spread") {
        const auto percent = positive_number(value);
        if (!percent || *percent > 1000.0)
            return "--duration-spread: '" + value + "' is not a percentage from 0 to 1000";
        options.generator.banding.duration_spread = *percent / 100.0;
    } else if (name == "--name") {
        if (value.empty()) return "--name: empty name";
        options.generator.name = value;
    } else if (name == "--downtown") {
        options.generator.downtown = lat_lon(value);
        if (!options.generator.downtown)
            return "--downtown: '" + value + "' is not a latitude and longitude (LAT,LON)";
    } else if (name == "--timezone") {
        if (value.empty()) return "--timezone: empty zone name";
        options.generator.time_zone = value;
    } else if (name == "--max-on-road-diff") {
        const auto percent = number(value);
        if (!percent || *percent < 0.0 || *percent > 1000.0)
            return "--max-on-road-diff: '" + value + "' is not a percentage from 0 to 1000";
        options.generator.max_on_road_diff = *percent;
    }
    return {};
}

} // namespace

ParsedOptions parse_options(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    bool options_end = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (options_end || arg.empty() || arg[0] != '-' || arg == "-") {
            options.generator.feeds.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_end = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        std::string value;
        const size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg = arg.substr(0, equals);
            if (!takes_value(arg)) {
                parsed.error = "unknown option '" + arg + "'";
                return parsed;
            }
        } else if (takes_value(arg)) {
            if (i + 1 >= args.size()) {
                parsed.error = arg + ": missing value";
                return parsed;
            }
            value = args[++i];
        } else {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        }
        parsed.error = apply(options, arg, value);
        if (!parsed.error.empty()) return parsed;
    }
    if (options.help || options.version) return parsed;
    if (options.generator.feeds.empty()) {
        parsed.error = "no feed given";
    } else if (!options.output.empty()) {
        // Paths known now are checked now, before a long generation.
        parsed.error = complete_outputs(options, "");
    }
    return parsed;
}

std::string network_file_name(std::string_view name) {
    constexpr size_t kLongest = 100;
    std::string out;
    bool gap = false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool kept = byte >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!kept) {
            gap = true;
            continue;
        }
        // A leading dot would hide the file and a leading hyphen read as an
        // option; one run of anything else (spaces, slashes, punctuation)
        // becomes one hyphen.
        if (out.empty() && (c == '.' || c == '-')) continue;
        if (gap && !out.empty()) out += '-';
        gap = false;
        out += c;
    }
    if (out.size() > kLongest) {
        size_t cut = kLongest;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    while (!out.empty() && (out.back() == '.' || out.back() == '-'))
        out.pop_back();
    return (out.empty() ? "network" : out) + ".zintu";
}

std::string complete_outputs(Options& options, std::string_view network_name) {
    if (options.output.empty()) options.output = network_file_name(network_name);
    if (options.report.empty())
        options.report =
            (std::filesystem::path(options.output).parent_path() / "REPORT.md").string();
    return output_paths_problem({options.output, options.report});
}

std::string apply_environment(Options& options, const char* source_date_epoch,
                              const char* zoneinfo_dir, int64_t now) {
    options.generator.generated_at = now;
    if (source_date_epoch != nullptr) {
        const std::string_view text = source_date_epoch;
        int64_t seconds = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
        // Up to the last second of the year 9999, which the network writes as a date.
        if (error != std::errc() || end != text.data() + text.size() || seconds < 0 ||
            seconds > 253402300799)
            return "SOURCE_DATE_EPOCH: '" + std::string(text) +
                   "' is not a number of seconds since 1970";
        options.generator.generated_at = seconds;
    }
    if (zoneinfo_dir != nullptr && *zoneinfo_dir != '\0')
        options.generator.zoneinfo_dir = zoneinfo_dir;
    return {};
}

} // namespace zintu::gtfs
