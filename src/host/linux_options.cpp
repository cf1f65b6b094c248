// Parsing of the Linux command line.
#include "host/linux_options.h"

#include "sim/clock.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <iterator>
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

std::optional<CivilTime> parse_civil_time(const std::string& text) {
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
    return CivilTime{year, month, day, hour, minute, second};
}

std::optional<uint32_t> parse_window_id(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 10) return std::nullopt;
    uint64_t id = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        id = id * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    if (id == 0 || id > UINT32_MAX) return std::nullopt;
    return static_cast<uint32_t>(id);
}

namespace {

// An argument as an error message may quote it: control bytes (a line break
// would break the one-line reason) shown as '?', and a long text cut short.
std::string shown(std::string_view text) {
    constexpr std::size_t kLongest = 64;
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < kLongest; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        out += c < 0x20 || c == 0x7f ? '?' : static_cast<char>(c);
    }
    if (text.size() > kLongest) out += "...";
    return out;
}

// "auto, lines or featured": the values --colours accepts.
std::string colour_values() {
    std::string text;
    for (std::size_t i = 0; i < std::size(kColourChoices); ++i) {
        if (i > 0) text += i + 1 == std::size(kColourChoices) ? " or " : ", ";
        text += kColourChoices[i].value;
    }
    return text;
}

} // namespace

ParseResult parse_options(int argc, const char* const* argv) {
    ParseResult result;
    Options& options = result.options;
    const char* snapshot_only = nullptr; // a snapshot option seen
    std::string mode_word;               // the first option that chose a mode
    bool help = false, version = false;
    // Records the mode an option chooses; a second, different one is an error,
    // except that --window-id overrides --root: XScreenSaver's settings dialog
    // runs a hack's own command line, "-root" and all, with "--window-id" added
    // to draw its preview into the dialog.
    auto choose_mode = [&](std::string_view name, RunMode mode, WindowTarget target) {
        if (mode_word == "window-id" && name == "root") return true;
        if (mode_word == "root" && name == "window-id") mode_word.clear();
        if (!mode_word.empty() && mode_word != name) {
            result.error =
                "options '" + mode_word + "' and '" + shown(name) + "' cannot be used together";
            return false;
        }
        mode_word = name;
        options.mode = mode;
        options.target = target;
        return true;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const std::optional<Word> word = split_option(arg);
        if (!word) {
            result.error = "unexpected argument '" + shown(arg) + "'";
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
            result.error = "option '" + shown(name) + "' takes no value";
            return false;
        };

        if (name == kNetworkSetting.linux_switch) {
            const std::optional<std::string> text = value();
            if (!text) {
                result.error = "option 'network' needs a network file";
                return result;
            }
            // An empty file name (a settings dialog's empty file field) names
            // no file: the settings file decides, as without the option.
            if (!text->empty()) options.settings.network = *text;
            continue;
        }
        if (name == kColourSwitch) {
            const std::optional<std::string> text = value();
            const std::optional<ColourScheme> scheme =
                text ? parse_colour_scheme(*text) : std::nullopt;
            if (!scheme) {
                result.error =
                    text ? "malformed colours '" + shown(*text) + "': expected " + colour_values()
                         : "option 'colours' needs a value: " + colour_values();
                return result;
            }
            options.settings.colours = *scheme;
            continue;
        }
        if (name == "snapshot" || name == "size" || name == "frame" || name == "window-id") {
            const std::optional<std::string> text = value();
            if (!text || text->empty()) {
                result.error = "option '" + shown(name) + "' needs a value";
                return result;
            }
            if (name == "snapshot") {
                if (!choose_mode(name, RunMode::Snapshot, WindowTarget::Desktop)) return result;
                options.snapshot_path = *text;
            } else if (name == "window-id") {
                if (!choose_mode(name, RunMode::Window, WindowTarget::WindowId)) return result;
                const std::optional<uint32_t> id = parse_window_id(*text);
                if (!id) {
                    result.error = "malformed window id '" + shown(*text) +
                                   "': expected a number such as 4194311 or 0x400007";
                    return result;
                }
                options.window_id = *id;
            } else if (name == "size") {
                snapshot_only = "size";
                if (!parse_size(*text, options.width, options.height)) {
                    result.error =
                        "malformed size '" + shown(*text) + "': expected WxH, such as 1280x800";
                    return result;
                }
            } else if (snapshot_only = "frame";
                       !parse_count(*text, kMaxSnapshotFrame, options.frame)) {
                result.error = "malformed frame '" + shown(*text) +
                               "': expected a number from 1 to " +
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
            options.at = parse_civil_time(*text);
            if (!options.at) {
                result.error =
                    "malformed time '" + shown(*text) + "': expected \"YYYY-MM-DD HH:MM:SS\"";
                return result;
            }
            continue;
        }
        if (!takes_no_value()) return result;
        bool chosen = true;
        if (name == "vehicles") {
            chosen = choose_mode(name, RunMode::Vehicles, WindowTarget::Desktop);
        } else if (name == "configure") {
            chosen = choose_mode(name, RunMode::Configure, WindowTarget::Desktop);
        } else if (name == "info") {
            chosen = choose_mode(name, RunMode::Info, WindowTarget::Desktop);
        } else if (name == "fullscreen") {
            chosen = choose_mode(name, RunMode::Window, WindowTarget::FullScreen);
        } else if (name == "root") {
            chosen = choose_mode(name, RunMode::Window, WindowTarget::Root);
        } else if (name == "help" || name == "h") {
            help = true;
        } else if (name == "version") {
            version = true;
        } else if (name == kSpeedSetting.other.linux_switch) {
            options.settings.speed_mode = SpeedMode::Fast;
        } else if (name == kSpeedSetting.default_choice.linux_switch) {
            options.settings.speed_mode = SpeedMode::RealTime;
        } else if (name == kZoomSetting.other.linux_switch) {
            options.settings.downtown = true;
        } else if (name == kZoomSetting.default_choice.linux_switch) {
            options.settings.downtown = false;
        } else {
            result.error = "unknown option '" + shown(arg) + "'";
            return result;
        }
        if (!chosen) return result;
    }
    if (help || version) {
        options.mode = help ? RunMode::Help : RunMode::Version;
        return result;
    }
    if (snapshot_only != nullptr && options.mode != RunMode::Snapshot) {
        result.error = "option '" + std::string(snapshot_only) + "' needs --snapshot";
    } else if (options.at && options.mode == RunMode::Configure) {
        result.error = "option 'at' does not go with --configure";
    }
    return result;
}

const char* usage_text() {
    return "Usage: zintu [MODE] [--fast|--realtime] [--downtown|--full-network] [--at TIME]\n"
           "             [--network FILE] [--colours auto|lines|featured]\n"
           "Animates every scheduled vehicle of a transit network on its line map.\n"
           "\n"
           "Modes:\n"
           "  (none)            a 1280x800 window titled \"Zintu\"\n"
           "  --fullscreen      the whole screen, without a cursor\n"
           "                    Both end on a key, a mouse button, a pointer move of\n"
           "                    more than 4 pixels or the window manager's close.\n"
           "  --root            draw on the root window, or into the window that\n"
           "                    XSCREENSAVER_WINDOW names (as XScreenSaver runs it)\n"
           "  --window-id ID    draw into the existing window ID (decimal or 0x-hex);\n"
           "                    it takes precedence over --root\n"
           "                    These two end only when that window goes away\n"
           "                    (status 0) or by SIGTERM, SIGINT or SIGHUP. Without\n"
           "                    a mode, a set XSCREENSAVER_WINDOW is drawn into too.\n"
           "  --configure       save --fast/--realtime, --downtown/--full-network,\n"
           "                    --network and --colours in the settings file (a\n"
           "                    setting not given keeps its saved value) and print\n"
           "                    the file's path\n"
           "  --info            print the network's name, time zone, source, size and\n"
           "                    how closely it follows its timetable\n"
           "  --vehicles        print the vehicles on the road at the clock's time as\n"
           "                    CSV x,y,heading,shape_id; the overlay's time and\n"
           "                    vehicle count go to standard error\n"
           "  --snapshot FILE.png [--size WxH] [--frame N]\n"
           "                    render one frame without a display: after loading is\n"
           "                    complete, or the Nth frame after start; default size\n"
           "                    1280x800\n"
           "  --help            show this text\n"
           "  --version         show the program's version\n"
           "\n"
           "Settings for this run (they take precedence over the settings file):\n"
           "  --fast            a simulated day in about 96 seconds\n"
           "  --realtime        vehicles where the timetable puts them now\n"
           "  --downtown        four times the scale, on the downtown area\n"
           "  --full-network    the whole network\n"
           "  --at \"YYYY-MM-DD HH:MM:SS\"\n"
           "                    the clock's time in the network's own time zone\n"
           "                    (default: now); a window's clock starts there and\n"
           "                    runs on\n"
           "  --network FILE    show the network of a network file (made by\n"
           "                    zintu-gtfs) instead of the built-in one\n"
           "  --colours auto|lines|featured\n"
           "                    lines: each vehicle in its route's colour, darkened\n"
           "                    where too pale for the white map; featured: four\n"
           "                    featured routes in colours of their own, the others\n"
           "                    in one; auto (the default): as the network chooses\n"
           "\n"
           "Settings file: $XDG_CONFIG_HOME/zintu/zintu.ini, by default\n"
           "~/.config/zintu/zintu.ini; section [zintu], keys mode (realtime or\n"
           "fastmode), zoomlevel (fullnetwork or downtown), network (a network\n"
           "file; empty or missing: the built-in network) and colours (auto, lines\n"
           "or featured).\n"
           "\n"
           "Every option may be written with one dash or two.\n";
}

} // namespace zintu
