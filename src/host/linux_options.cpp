// Parsing of the Linux command line.
#include "host/linux_options.h"

#include "sim/clock.h"

#include <cstdio>
#include <ctime>
#include <string_view>

namespace zintu {
namespace {

// The option's name without its one or two leading dashes, and its "=value".
struct Word {
    std::string_view name;
    std::optional<std::string_view> inline_value;
};

std::optional<Word> split_option(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-') return std::nullopt;
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    if (arg.empty()) return std::nullopt;
    const std::size_t eq = arg.find('=');
    if (eq == std::string_view::npos) return Word{arg, std::nullopt};
    return Word{arg.substr(0, eq), arg.substr(eq + 1)};
}

bool read_number(std::string_view text, std::size_t pos, std::size_t len, int& out) {
    out = 0;
    for (std::size_t i = pos; i < pos + len; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

bool is_leap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_month(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap(year) ? 29 : kDays[month - 1];
}

// A whole number from 1 to `max`, digits only.
bool parse_count(std::string_view text, int64_t max, int64_t& out) {
    if (text.empty() || text.size() > 18) return false;
    out = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        out = out * 10 + (c - '0');
    }
    return out >= 1 && out <= max;
}

} // namespace

bool parse_size(const std::string& text, int32_t& width, int32_t& height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return false;
    int64_t w = 0, h = 0;
    if (!parse_count(std::string_view(text).substr(0, x), kMaxSnapshotSide, w) ||
        !parse_count(std::string_view(text).substr(x + 1), kMaxSnapshotSide, h)) {
        return false;
    }
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(h);
    return true;
}

std::optional<int64_t> parse_local_time(const std::string& text) {
    // YYYY-MM-DD HH:MM:SS, exactly 19 characters.
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    int year, month, day, hour, minute, second;
    if (!read_number(text, 0, 4, year) || !read_number(text, 5, 2, month) ||
        !read_number(text, 8, 2, day) || !read_number(text, 11, 2, hour) ||
        !read_number(text, 14, 2, minute) || !read_number(text, 17, 2, second)) {
        return std::nullopt;
    }
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > days_in_month(year, month) ||
        hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const std::time_t t = std::mktime(&local);
    if (t == static_cast<std::time_t>(-1)) return std::nullopt;
    return static_cast<int64_t>(t);
}

ParseResult parse_options(int argc, const char* const* argv) {
    ParseResult result;
    Options& options = result.options;
    const char* snapshot_only = nullptr; // a snapshot option seen
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const std::optional<Word> word = split_option(arg);
        if (!word) {
            result.error = "unexpected argument '" + std::string(arg) + "'";
            return result;
        }
        const std::string_view name = word->name;
        // Fetches the option's value, inline or from the next argument.
        auto value = [&]() -> std::optional<std::string> {
            if (word->inline_value) return std::string(*word->inline_value);
            if (i + 1 < argc) return std::string(argv[++i]);
            return std::nullopt;
        };
        auto takes_no_value = [&]() {
            if (!word->inline_value) return true;
            result.error = "option '" + std::string(name) + "' takes no value";
            return false;
        };

        if (name == "snapshot" || name == "size" || name == "frame") {
            const std::optional<std::string> text = value();
            if (!text || text->empty()) {
                result.error = "option '" + std::string(name) + "' needs a value";
                return result;
            }
            if (name == "snapshot") {
                options.mode = RunMode::Snapshot;
                options.snapshot_path = *text;
            } else if (name == "size") {
                snapshot_only = "size";
                if (!parse_size(*text, options.width, options.height)) {
                    result.error = "malformed size '" + *text + "': expected WxH, such as 1280x800";
                    return result;
                }
            } else if (snapshot_only = "frame";
                       !parse_count(*text, kMaxSnapshotFrame, options.frame)) {
                result.error = "malformed frame '" + *text + "': expected a number from 1 to " +
                               std::to_string(kMaxSnapshotFrame);
                return result;
            }
            continue;
        }
        if (name == "at") {
            const std::optional<std::string> text = value();
            if (!text) {
                result.error = "option 'at' needs a time, \"YYYY-MM-DD HH:MM:SS\"";
                return result;
            }
            options.at = parse_local_time(*text);
            if (!options.at) {
                result.error = "malformed time '" + *text + "': expected \"YYYY-MM-DD HH:MM:SS\"";
                return result;
            }
            continue;
        }
        if (!takes_no_value()) return result;
        if (name == "vehicles") {
            options.mode = RunMode::Vehicles;
        } else if (name == "help" || name == "h") {
            options.mode = RunMode::Help;
        } else if (name == "version") {
            options.mode = RunMode::Version;
        } else if (name == kSpeedSetting.other.linux_switch) {
            options.settings.speed_mode = kSpeedFast;
        } else if (name == kSpeedSetting.default_choice.linux_switch) {
            options.settings.speed_mode = kSpeedRealTime;
        } else if (name == kZoomSetting.other.linux_switch) {
            options.settings.downtown = true;
        } else if (name == kZoomSetting.default_choice.linux_switch) {
            options.settings.downtown = false;
        } else {
            result.error = "unknown option '" + std::string(arg) + "'";
            return result;
        }
    }
    if (snapshot_only != nullptr && options.mode != RunMode::Snapshot) {
        result.error = "option '" + std::string(snapshot_only) + "' needs --snapshot";
    }
    return result;
}

const char* usage_text() {
    return "Usage: zintu [MODE] [--fast|--realtime] [--downtown|--full-network]\n"
           "Animates every scheduled vehicle of a transit network on its line map.\n"
           "\n"
           "Modes:\n"
           "  --vehicles [--at \"YYYY-MM-DD HH:MM:SS\"]\n"
           "                    print the vehicles on the road at that local time\n"
           "                    (default: now) as CSV x,y,heading,shape_id; the\n"
           "                    overlay's time and vehicle count go to standard error\n"
           "  --snapshot FILE.png [--at \"YYYY-MM-DD HH:MM:SS\"] [--size WxH] [--frame N]\n"
           "                    render one frame without a display: after loading is\n"
           "                    complete with the clock at that time (default: now),\n"
           "                    or the Nth frame after start; default size 1280x800\n"
           "  --help            show this text\n"
           "  --version         show the program's version\n"
           "\n"
           "Settings for this run:\n"
           "  --fast            a simulated day in about 96 seconds\n"
           "  --realtime        vehicles where the timetable puts them now\n"
           "  --downtown        four times the scale, on the downtown area\n"
           "  --full-network    the whole network\n"
           "\n"
           "Every option may be written with one dash or two.\n";
}

} // namespace zintu
