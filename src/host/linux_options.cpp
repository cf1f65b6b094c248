// Parsing of the Linux command line.
#include "host/linux_options.h"

#include "sim/clock.h"

#include <getopt.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

namespace zintu {
namespace {

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

std::optional<SpanTime> parse_span_time(const std::string& text) {
    if (text.size() == 19) {
        const std::optional<CivilTime> whole = parse_civil_time(text);
        if (!whole) return std::nullopt;
        return SpanTime{whole, ((whole->hour * 60) + whole->minute) * 60 + whole->second};
    }
    // HH:MM or HH:MM:SS; 24:00 (and 24:00:00) is the day's end.
    if ((text.size() != 5 && text.size() != 8) || text[2] != ':' ||
        (text.size() == 8 && text[5] != ':')) {
        return std::nullopt;
    }
    int hour, minute, second = 0;
    if (!read_number(text, 0, 2, hour) || !read_number(text, 3, 2, minute) ||
        (text.size() == 8 && !read_number(text, 6, 2, second))) {
        return std::nullopt;
    }
    if (hour > 24 || minute > 59 || second > 59 || (hour == 24 && minute + second > 0)) {
        return std::nullopt;
    }
    return SpanTime{std::nullopt, (hour * 60 + minute) * 60 + second};
}

std::optional<double> parse_decimal(std::string_view text, double low, double high) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() || whole.size() > 9 || fraction.size() > 6 ||
        (point != std::string_view::npos && fraction.empty())) {
        return std::nullopt;
    }
    // All digits as one whole number, divided once: exactly the nearest double
    // to the decimal written (at most 15 digits are exact in a double).
    int64_t digits = 0, unit = 1;
    for (char c : whole) {
        if (c < '0' || c > '9') return std::nullopt;
        digits = digits * 10 + (c - '0');
    }
    for (char c : fraction) {
        if (c < '0' || c > '9') return std::nullopt;
        digits = digits * 10 + (c - '0');
        unit *= 10;
    }
    const double value = static_cast<double>(digits) / static_cast<double>(unit);
    if (value < low || value > high) return std::nullopt;
    return value;
}

namespace {

// The table's entries in order; `parse_options` switches on these.
enum class Id : uint8_t {
    FullScreen,
    Root,
    WindowId,
    Configure,
    Info,
    Vehicles,
    Snapshot,
    Record,
    Help,
    H,
    Version,
    Size,
    Frame,
    From,
    To,
    Fps,
    Speed,
    Fast,
    RealTime,
    Downtown,
    FullNetwork,
    At,
    Network,
    Colours,
    Pace,
    Scale,
};

constexpr uint8_t kDrawingModes = kWindowMode | kSnapshotMode | kRecordMode;
constexpr uint8_t kClockModes = kEveryMode & ~kConfigureMode;

using enum OptionGroup;
constexpr OptionSpec kOptions[] = {
    {"fullscreen", nullptr, false, kEveryMode, Mode,
     "the whole screen, without a cursor\n"
     "Both end on a key, a mouse button, a pointer move of\n"
     "more than 4 pixels or the window manager's close."},
    {"root", nullptr, false, kEveryMode, Mode,
     "draw on the root window, or into the window that\n"
     "XSCREENSAVER_WINDOW names (as XScreenSaver runs it)"},
    {"window-id", "ID", false, kEveryMode, Mode,
     "draw into the existing window ID (decimal or 0x-hex);\n"
     "it takes precedence over --root\n"
     "These two end only when that window goes away\n"
     "(status 0) or by SIGTERM, SIGINT or SIGHUP. Without\n"
     "a mode, a set XSCREENSAVER_WINDOW is drawn into too."},
    {"configure", nullptr, false, kEveryMode, Mode,
     "save --fast/--realtime, --downtown/--full-network,\n"
     "--network, --colours and --pace in the settings file\n"
     "(a setting not given keeps its saved value) and print\n"
     "the file's path"},
    {"info", nullptr, false, kEveryMode, Mode,
     "print the network's name, time zone, source, size and\n"
     "how closely it follows its timetable"},
    {"vehicles", nullptr, false, kEveryMode, Mode,
     "print the vehicles on the road at the clock's time as\n"
     "CSV x,y,heading,shape_id; the overlay's time and\n"
     "vehicle count go to standard error"},
    {"snapshot", "FILE.png", false, kEveryMode, Mode,
     "render one frame without a display: after loading is\n"
     "complete, or the frame --frame names"},
    {"record", "FILE", false, kEveryMode, Mode,
     "render a span of frames without a display into a\n"
     "video or animation: .gif, .webp, or with the ffmpeg\n"
     "program .mp4, .webm or .mkv (lossless)"},
    {"help", nullptr, false, kEveryMode, Mode, "show this text"},
    {"h", nullptr, false, kEveryMode, Unlisted, nullptr},
    {"version", nullptr, false, kEveryMode, Mode, "show the program's version"},

    {"size", "WxH", false, kSnapshotMode | kRecordMode, Frames,
     "the picture's size; default 1280x800"},
    {"frame", "N", false, kSnapshotMode, Frames,
     "the snapshot of the Nth frame after start instead"},
    {"from", "TIME", false, kRecordMode, Frames,
     "where the recording starts: \"HH:MM[:SS]\" on the\n"
     "recording's day (today, or --at's date), or\n"
     "\"YYYY-MM-DD HH:MM:SS\"; in the network's zone; 00:00\n"
     "by default"},
    {"to", "TIME", false, kRecordMode, Frames,
     "where it ends, the same way; a time of day before\n"
     "--from's is on the next day; a day after --from by\n"
     "default"},
    {"fps", "N", true, kEveryMode, Frames,
     "with --record: frames per second of the video, 1 to\n"
     "120 (default 30). Without a number, in a window:\n"
     "show the frame rate in a corner"},
    {"speed", "X", false, kRecordMode, Frames,
     "simulated seconds per second of video; by default\n"
     "fast mode's 900 (a day in 96 seconds), or 1 with\n"
     "--realtime"},

    {"fast", nullptr, false, kEveryMode, Setting, "a simulated day in about 96 seconds"},
    {"realtime", nullptr, false, kEveryMode, Setting, "vehicles where the timetable puts them now"},
    {"downtown", nullptr, false, kEveryMode, Setting, "four times the scale, on the downtown area"},
    {"full-network", nullptr, false, kEveryMode, Setting, "the whole network"},
    {"at", "\"YYYY-MM-DD HH:MM:SS\"", false, kClockModes, Setting,
     "the clock's time in the network's own time zone\n"
     "(default: now); a window's clock starts there and\n"
     "runs on"},
    {"network", "FILE", false, kEveryMode, Setting,
     "show the network of a network file (made by\n"
     "zintu-gtfs) instead of the built-in one"},
    {"colours", "auto|lines|featured", false, kEveryMode, Setting,
     "lines: each vehicle in its route's colour, darkened\n"
     "where too pale for the white map; featured: four\n"
     "featured routes in colours of their own, the others\n"
     "in one; auto (the default): as the network chooses"},
    {"pace", "auto|every-tick", false, kWindowMode | kConfigureMode, Setting,
     "auto (the default): in real time, draw only when a\n"
     "vehicle has moved a quarter pixel or the clock's\n"
     "second turns; every-tick: a frame every 10 ms"},
    {"scale", "F", false, kDrawingModes, Setting,
     "the display's scale factor for lines and text, 0.5\n"
     "to 8 (default: as the display says; 1 without a\n"
     "display)"},
};

static_assert(std::size(kOptions) == static_cast<std::size_t>(Id::Scale) + 1);

// getopt's value for table entry i; above every character, so that no
// short option can be taken for one.
constexpr int kFirstValue = 256;

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

// "a, b or c": the texts a setting accepts.
template <typename Texts>
std::string listed(const Texts& texts) {
    std::string text;
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        if (i > 0) text += i + 1 == std::size(texts) ? " or " : ", ";
        text += texts[i];
    }
    return text;
}

std::string colour_values() {
    std::vector<const char*> texts;
    for (const ColourChoice& choice : kColourChoices)
        texts.push_back(choice.value);
    return listed(texts);
}

std::string pace_values() {
    std::vector<const char*> texts;
    for (const NamedValue<Pace>& choice : kPaceChoices)
        texts.push_back(choice.text);
    return listed(texts);
}

// The option's name as typed: without its dashes and its "=value".
std::string_view typed_name(std::string_view arg) {
    arg.remove_prefix(arg.size() > 1 && arg[1] == '-' ? 2 : 1);
    return arg.substr(0, arg.find('='));
}

// Each mode that is not a window's: its bit and the word an error names it by.
struct ModeName {
    RunMode mode;
    uint8_t bit;
    const char* word;
};
constexpr ModeName kModeNames[] = {
    {RunMode::Vehicles, kVehiclesMode, "--vehicles"},
    {RunMode::Snapshot, kSnapshotMode, "--snapshot"},
    {RunMode::Configure, kConfigureMode, "--configure"},
    {RunMode::Info, kInfoMode, "--info"},
    {RunMode::Record, kRecordMode, "--record"},
};
constexpr ModeName kWindowModeName = {RunMode::Window, kWindowMode, "a window"};

const ModeName& mode_name_of(RunMode mode) {
    for (const ModeName& name : kModeNames)
        if (name.mode == mode) return name;
    return kWindowModeName;
}

// "--snapshot or --record": the modes an option needs.
std::string mode_words(uint8_t modes) {
    std::vector<const char*> words;
    for (const ModeName& name : kModeNames)
        if (modes & name.bit) words.push_back(name.word);
    return listed(words);
}

bool all_digits(const char* text) {
    if (text == nullptr || *text == '\0') return false;
    for (; *text != '\0'; ++text)
        if (*text < '0' || *text > '9') return false;
    return true;
}

} // namespace

std::span<const OptionSpec> option_table() {
    return kOptions;
}

ParseResult parse_options(int argc, const char* const* argv) {
    ParseResult result;
    Options& options = result.options;
    std::string& error = result.error;
    std::string mode_name; // the first option that chose a mode
    bool help = false, version = false;
    uint64_t seen = 0;       // table entries met
    bool fps_number = false; // -fps came with a frame rate
    // Records the mode an option chooses; a second, different one is an error,
    // except that --window-id overrides --root: XScreenSaver's settings dialog
    // runs a hack's own command line, "-root" and all, with "--window-id" added
    // to draw its preview into the dialog.
    auto choose_mode = [&](std::string_view name, RunMode mode, WindowTarget target) {
        if (mode_name == "window-id" && name == "root") return;
        if (mode_name == "root" && name == "window-id") mode_name.clear();
        if (!mode_name.empty() && mode_name != name) {
            error = "options '" + mode_name + "' and '" + std::string(name) +
                    "' cannot be used together";
            return;
        }
        mode_name = name;
        options.mode = mode;
        options.target = target;
    };

    static const std::vector<option> long_options = [] {
        std::vector<option> list;
        for (std::size_t i = 0; i < std::size(kOptions); ++i) {
            const OptionSpec& spec = kOptions[i];
            const int argument = spec.value == nullptr ? no_argument
                                 : spec.optional_value ? optional_argument
                                                       : required_argument;
            list.push_back({spec.name, argument, nullptr, kFirstValue + static_cast<int>(i)});
        }
        list.push_back({nullptr, 0, nullptr, 0});
        return list;
    }();
    // getopt wants writable words; it does not permute them here ('+': stop at
    // the first argument that is no option), so a copy of the pointers does.
    std::vector<char*> words;
    for (int i = 0; i < argc; ++i)
        words.push_back(const_cast<char*>(argv[i]));
    words.push_back(nullptr);
    opterr = 0; // every message is ours
    optind = 0; // start afresh: the parser is run more than once per process

    int done = 1; // the words read so far
    while (error.empty()) {
        const int at = done; // the word this step reads
        const int got = getopt_long_only(argc, words.data(), "+:", long_options.data(), nullptr);
        if (got == -1) break;
        const std::string_view word = argv[at];
        if (got == '?' || got == ':') {
            const std::size_t index = static_cast<std::size_t>(optopt - kFirstValue);
            if (optopt < kFirstValue || index >= std::size(kOptions)) {
                error = "unknown option '" + shown(word) + "'";
            } else if (got == '?') {
                error = "option '" + shown(kOptions[index].name) + "' takes no value";
            } else if (static_cast<Id>(index) == Id::Network) {
                error = "option 'network' needs a network file";
            } else if (static_cast<Id>(index) == Id::Colours) {
                error = "option 'colours' needs a value: " + colour_values();
            } else if (static_cast<Id>(index) == Id::Pace) {
                error = "option 'pace' needs a value: " + pace_values();
            } else if (static_cast<Id>(index) == Id::At) {
                error = "option 'at' needs a time, \"YYYY-MM-DD HH:MM:SS\"";
            } else {
                error = "option '" + std::string(kOptions[index].name) + "' needs a value";
            }
            break;
        }
        const std::size_t index = static_cast<std::size_t>(got - kFirstValue);
        const OptionSpec& spec = kOptions[index];
        // getopt also takes a name's unique beginning; only whole names count.
        if (typed_name(word) != spec.name) {
            error = "unknown option '" + shown(word) + "'";
            break;
        }
        // -fps: a switch, as XScreenSaver passes it, or the frame rate that
        // follows it.
        if (static_cast<Id>(index) == Id::Fps && optarg == nullptr && optind < argc &&
            all_digits(argv[optind])) {
            optarg = words[optind++];
        }
        done = optind;
        seen |= uint64_t{1} << index;
        const std::string value = optarg != nullptr ? optarg : "";
        // A value that names nothing, as a settings dialog's empty field does,
        // is no value at all, except for the network (below).
        if (spec.value != nullptr && !spec.optional_value && value.empty() &&
            static_cast<Id>(index) != Id::Network) {
            error = "option '" + std::string(spec.name) + "' needs a value";
            break;
        }
        switch (static_cast<Id>(index)) {
        case Id::FullScreen:
            choose_mode(spec.name, RunMode::Window, WindowTarget::FullScreen);
            break;
        case Id::Root:
            choose_mode(spec.name, RunMode::Window, WindowTarget::Root);
            break;
        case Id::WindowId:
            choose_mode(spec.name, RunMode::Window, WindowTarget::WindowId);
            if (const std::optional<uint32_t> id = parse_window_id(value)) {
                options.window_id = *id;
            } else if (error.empty()) {
                error = "malformed window id '" + shown(value) +
                        "': expected a number such as 4194311 or 0x400007";
            }
            break;
        case Id::Configure:
            choose_mode(spec.name, RunMode::Configure, WindowTarget::Desktop);
            break;
        case Id::Info:
            choose_mode(spec.name, RunMode::Info, WindowTarget::Desktop);
            break;
        case Id::Vehicles:
            choose_mode(spec.name, RunMode::Vehicles, WindowTarget::Desktop);
            break;
        case Id::Snapshot:
            choose_mode(spec.name, RunMode::Snapshot, WindowTarget::Desktop);
            options.snapshot_path = value;
            break;
        case Id::Record:
            choose_mode(spec.name, RunMode::Record, WindowTarget::Desktop);
            options.record_path = value;
            break;
        case Id::Help:
        case Id::H:
            help = true;
            break;
        case Id::Version:
            version = true;
            break;
        case Id::Size:
            if (!parse_size(value, options.width, options.height))
                error = "malformed size '" + shown(value) + "': expected WxH, such as 1280x800";
            break;
        case Id::Frame:
            if (!parse_count(value, kMaxSnapshotFrame, options.frame))
                error = "malformed frame '" + shown(value) + "': expected a number from 1 to " +
                        std::to_string(kMaxSnapshotFrame);
            break;
        case Id::From:
        case Id::To:
            (static_cast<Id>(index) == Id::From ? options.from : options.to) =
                parse_span_time(value);
            if (!(static_cast<Id>(index) == Id::From ? options.from : options.to))
                error = "malformed time '" + shown(value) +
                        "': expected \"HH:MM\", \"HH:MM:SS\" or \"YYYY-MM-DD HH:MM:SS\"";
            break;
        case Id::Fps:
            if (optarg == nullptr) {
                options.show_fps = true;
            } else if (int64_t fps = 0; parse_count(value, kMaxRecordFps, fps)) {
                options.fps = static_cast<int32_t>(fps);
                fps_number = true;
            } else {
                error = "malformed frame rate '" + shown(value) +
                        "': expected a number from 1 to " + std::to_string(kMaxRecordFps);
            }
            break;
        case Id::Speed:
            if (const std::optional<double> speed =
                    parse_decimal(value, kMinRecordSpeed, kMaxRecordSpeed)) {
                options.speed = *speed;
            } else {
                error = "malformed speed '" + shown(value) +
                        "': expected simulated seconds per second, from 0.01 to 1000000";
            }
            break;
        case Id::Fast:
            options.settings.speed_mode = SpeedMode::Fast;
            break;
        case Id::RealTime:
            options.settings.speed_mode = SpeedMode::RealTime;
            break;
        case Id::Downtown:
            options.settings.downtown = true;
            break;
        case Id::FullNetwork:
            options.settings.downtown = false;
            break;
        case Id::At:
            options.at = parse_civil_time(value);
            if (!options.at)
                error = "malformed time '" + shown(value) + "': expected \"YYYY-MM-DD HH:MM:SS\"";
            break;
        case Id::Network:
            // An empty file name (a settings dialog's empty file field) names
            // no file: the settings file decides, as without the option.
            if (!value.empty()) options.settings.network = value;
            break;
        case Id::Colours:
            options.settings.colours = parse_colour_scheme(value);
            if (!options.settings.colours)
                error = "malformed colours '" + shown(value) + "': expected " + colour_values();
            break;
        case Id::Pace:
            options.settings.pace = parse_named(kPaceChoices, value);
            if (!options.settings.pace)
                error = "malformed pace '" + shown(value) + "': expected " + pace_values();
            break;
        case Id::Scale:
            if (const std::optional<double> scale =
                    parse_decimal(value, kMinDisplayScale, kMaxDisplayScale)) {
                options.scale = *scale;
            } else {
                error = "malformed scale '" + shown(value) + "': expected a number from 0.5 to 8";
            }
            break;
        }
    }
    if (error.empty() && done < argc) {
        // The first word that is no option, or a "--" that would end them.
        error = "unexpected argument '" + shown(argv[done]) + "'";
    }
    if (!error.empty()) return result;
    if (help || version) {
        options.mode = help ? RunMode::Help : RunMode::Version;
        return result;
    }
    // Each option met must go with the mode chosen.
    for (std::size_t i = 0; i < std::size(kOptions); ++i) {
        const OptionSpec& spec = kOptions[i];
        if (!(seen & (uint64_t{1} << i)) || (spec.modes & mode_name_of(options.mode).bit)) continue;
        if (spec.modes & kWindowMode) {
            error = "option '" + std::string(spec.name) + "' does not go with " +
                    mode_name_of(options.mode).word;
        } else {
            error = "option '" + std::string(spec.name) + "' needs " + mode_words(spec.modes);
        }
        return result;
    }
    if (fps_number != (options.mode == RunMode::Record) && (seen & (uint64_t{1} << int(Id::Fps)))) {
        error = fps_number ? "option 'fps' takes a frame rate only with --record"
                           : "option 'fps' needs a frame rate with --record, such as --fps 30";
    }
    return result;
}

const char* usage_text() {
    static const std::string text = [] {
        std::string out =
            "Usage: zintu [MODE] [--fast|--realtime] [--downtown|--full-network] [--at TIME]\n"
            "             [--network FILE] [--colours auto|lines|featured] [--pace P]\n"
            "             [--scale F]\n"
            "Animates every scheduled vehicle of a transit network on its line map.\n";
        constexpr std::size_t kColumn = 20;
        const std::pair<OptionGroup, const char*> groups[] = {
            {Mode, "\nModes:\n"
                   "  (none)            a 1280x800 window titled \"Zintu\"\n"},
            {Frames, "\nSnapshots and recordings:\n"},
            {Setting, "\nSettings for this run (they take precedence over the settings file):\n"},
        };
        for (const auto& [group, heading] : groups) {
            out += heading;
            for (const OptionSpec& spec : kOptions) {
                if (spec.group != group) continue;
                std::string head = "  --" + std::string(spec.name);
                if (spec.value != nullptr)
                    head += spec.optional_value ? " [" + std::string(spec.value) + "]"
                                                : " " + std::string(spec.value);
                out += head.size() < kColumn ? head + std::string(kColumn - head.size(), ' ')
                                             : head + "\n" + std::string(kColumn, ' ');
                for (const char* c = spec.help; *c != '\0'; ++c)
                    out += *c == '\n' ? "\n" + std::string(kColumn, ' ') : std::string(1, *c);
                out += '\n';
            }
        }
        out += "\n"
               "Settings file: $XDG_CONFIG_HOME/zintu/zintu.ini, by default\n"
               "~/.config/zintu/zintu.ini; section [zintu], keys mode (realtime or\n"
               "fastmode), zoomlevel (fullnetwork or downtown), network (a network\n"
               "file; empty or missing: the built-in network), colours (auto, lines\n"
               "or featured) and pace (auto or every-tick).\n"
               "\n"
               "Every option may be written with one dash or two.\n";
        return out;
    }();
    return text.c_str();
}

} // namespace zintu
