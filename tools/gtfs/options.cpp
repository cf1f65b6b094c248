// Command-line parsing: a pure function from arguments to options or one error.
#include "options.h"

#include "gtfs_time.h"
#include "id_assignment.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>

namespace zintu::gtfs {

const char* const kUsage =
    "usage: zintu-gtfs --week YYYY-MM-DD -o FILE [options] FEED...\n"
    "Reads GTFS feeds (zip files or directories), merges them and writes the\n"
    "network tables as a C++ source file, with a Markdown report beside it.\n"
    "\n"
    "  FEED                a GTFS feed: a .zip file or a directory of .txt tables\n"
    "  --week YYYY-MM-DD   a Monday: the timetables of that week's Wednesday,\n"
    "                      Saturday and Sunday become services 1, 2 and 3\n"
    "  -o, --output FILE   the file to write: a network file if FILE ends in\n"
    "                      .zintu, otherwise a C++ source file\n"
    "  --report FILE       the report (default: REPORT.md beside the output)\n"
    "  --feature ROUTE     a featured route_id; up to four, in order, giving the\n"
    "                      busiest shape of each direction the ids 1-2, 3-4, 5-6, 7-8\n"
    "  --units-per-km N    map scale (default: the longer side about 5,300 units)\n"
    "  --max-offset S      a time band keeps every departure within S seconds of\n"
    "                      the timetable (default 150)\n"
    "  --duration-spread P a time band keeps trip durations within P percent of\n"
    "                      their median (default 12)\n"
    "  --help              this text\n"
    "  --version           the program's version\n";

namespace {

bool takes_value(const std::string& name) {
    return name == "--week" || name == "-o" || name == "--output" || name == "--report" ||
           name == "--feature" || name == "--units-per-km" || name == "--max-offset" ||
           name == "--duration-spread";
}

std::optional<double> positive_number(const std::string& value) {
    double number = 0.0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(number) ||
        number <= 0.0)
        return std::nullopt;
    return number;
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
    }
    return {};
}

} // namespace

ParsedOptions parse_options(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    bool has_week = false;
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
        if (arg == "--week") has_week = true;
        parsed.error = apply(options, arg, value);
        if (!parsed.error.empty()) return parsed;
    }
    if (options.help || options.version) return parsed;
    if (!has_week) {
        parsed.error = "--week is required";
    } else if (options.output.empty()) {
        parsed.error = "--output is required";
    } else if (options.generator.feeds.empty()) {
        parsed.error = "no feed given";
    }
    if (parsed.error.empty() && options.report.empty())
        options.report =
            (std::filesystem::path(options.output).parent_path() / "REPORT.md").string();
    return parsed;
}

} // namespace zintu::gtfs
