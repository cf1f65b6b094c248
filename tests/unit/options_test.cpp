// The Linux command line: modes, targets, settings, values and bad input; and
// the XScreenSaver description, manual pages and --help naming the same accepted
// options, the description switching only to a setting's other choice.
#include "app/settings.h"
#include "host/linux_options.h"
#include "options.h" // zintu-gtfs's

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace zintu {
namespace {

ParseResult parse(std::vector<const char*> args) {
    args.insert(args.begin(), "zintu");
    return parse_options(static_cast<int>(args.size()), args.data());
}

TEST(Options, GoodCommandLines) {
    using enum RunMode;
    using enum WindowTarget;
    constexpr auto fast = SpeedMode::Fast, real = SpeedMode::RealTime;
    constexpr std::optional<SpeedMode> S;
    constexpr std::optional<bool> Z;
    using Case = std::tuple<std::vector<const char*>, RunMode, WindowTarget, uint32_t,
                            std::optional<SpeedMode>, std::optional<bool>>;
    const Case cases[] = {
        {{}, Window, Desktop, 0, S, Z},
        {{"-vehicles", "-fast"}, Vehicles, Desktop, 0, fast, Z},
        {{"--fast", "--realtime"}, Window, Desktop, 0, real, Z},
        {{"--downtown", "--full-network"}, Window, Desktop, 0, S, false},
        {{"--help"}, Help, Desktop, 0, S, Z},
        {{"--vehicles", "--help"}, Help, Desktop, 0, S, Z},
        {{"--version", "--root"}, Version, Root, 0, S, Z},
        {{"--configure", "--fast", "--downtown"}, Configure, Desktop, 0, fast, true},
        {{"--info"}, Info, Desktop, 0, S, Z},
        {{"--fullscreen"}, Window, FullScreen, 0, S, Z},
        {{"--window-id=0x400007", "-downtown"}, Window, WindowId, 0x400007, S, true},
        // XScreenSaver's preview: the hack's "-root" with "--window-id" added.
        {{"-root", "-fast", "--window-id", "0x400E22"}, Window, WindowId, 0x400e22, fast, Z},
        {{"-window-id", "9", "-root"}, Window, WindowId, 9, S, Z},
        {{"--record", "day.gif", "--realtime"}, Record, Desktop, 0, real, Z}};
    for (const auto& [args, mode, target, window_id, speed, downtown] : cases) {
        const ParseResult r = parse(args);
        const Options& o = r.options;
        EXPECT_EQ(std::tie(r.error, o.mode, o.target, o.window_id, o.settings.speed_mode,
                           o.settings.downtown),
                  std::tie("", mode, target, window_id, speed, downtown))
            << testing::PrintToString(args);
    }
}

TEST(Options, ValuesOfAtSnapshotAndNetwork) {
    const ParseResult r = parse({"-at=2026-12-07 08:15:00", "-vehicles"});
    ASSERT_TRUE(r.options.at) << r.error;
    const CivilTime& at = *r.options.at;
    EXPECT_EQ(std::tie(at.year, at.month, at.day, at.hour, at.minute, at.second),
              std::make_tuple(2026, 12, 7, 8, 15, 0));
    for (const char* good : {"2028-02-29 00:00:00", "2000-02-29 23:59:59"})
        EXPECT_EQ(parse({"--at", good}).error, "") << good;
    constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
        for (const int day : {kMonthDays[month - 1], kMonthDays[month - 1] + 1}) {
            char text[20];
            std::snprintf(text, sizeof text, "2029-%02d-%02d 19:09:09", month, day);
            EXPECT_EQ(parse_civil_time(text).has_value(), day == kMonthDays[month - 1]) << text;
        }
    }
    const std::tuple<std::vector<const char*>, int32_t, int32_t, int64_t> snapshots[] = {
        {{"--snapshot", "a.png"}, 1280, 800, 0},
        {{"-snapshot=a.png", "-frame", "19", "-size", "320x200"}, 320, 200, 19},
        {{"--snapshot", "a.png", "--size=16384x1", "--frame=1000000"}, 16384, 1, 1000000},
        {{"--snapshot", "a.png", "--frame=000000000000000007"}, 1280, 800, 7}, // 18 digits
    };
    for (const auto& [args, width, height, frame] : snapshots) {
        const ParseResult r = parse(args);
        const Options& o = r.options;
        EXPECT_EQ(std::tie(r.error, o.mode, o.snapshot_path, o.width, o.height, o.frame),
                  std::make_tuple("", RunMode::Snapshot, "a.png", width, height, frame))
            << testing::PrintToString(args);
    }
    EXPECT_EQ(parse({"--network", "city.zintu", "--info"}).options.settings.network, "city.zintu");
    const std::pair<std::vector<const char*>, std::optional<ColourScheme>> colours[] = {
        {{}, std::nullopt},
        {{"--colours", "lines"}, ColourScheme::Lines},
        {{"-colours=featured", "--configure"}, ColourScheme::Featured},
        {{"--colours", "lines", "-colours", "auto"}, ColourScheme::Auto},
    };
    for (const auto& [args, scheme] : colours)
        EXPECT_EQ(parse(args).options.settings.colours, scheme) << testing::PrintToString(args);
    EXPECT_EQ(parse({"--colours", "red"}).error,
              "malformed colours 'red': expected auto, lines or featured");
    EXPECT_EQ(parse({"--colours"}).error,
              "option 'colours' needs a value: auto, lines or featured");
    EXPECT_FALSE(parse({"-root", "-network", ""}).options.settings.network);
}

TEST(Options, RecordingScaleAndPace) {
    const Options o = parse({"--record", "a.webm", "--from", "22:30", "-to=2026-12-08 02:00:00",
                             "--fps", "24", "--speed=60.5", "--size", "640x400", "--scale", "2"})
                          .options;
    ASSERT_TRUE(o.from && o.to);
    EXPECT_EQ(std::tie(o.record_path, o.from->second_of_day, o.to->second_of_day, o.fps, o.speed,
                       o.width, o.scale),
              std::make_tuple("a.webm", 81000, 7200, 24, 60.5, 640, 2.0));
    EXPECT_FALSE(o.from->date_and_time);
    EXPECT_EQ(o.to->date_and_time->day, 8);
    // -fps alone is XScreenSaver's switch; a number after it is a frame rate.
    const Options shown = parse({"-root", "-fps", "-pace", "every-tick"}).options;
    EXPECT_EQ(std::tie(shown.show_fps, shown.fps, shown.settings.pace),
              std::make_tuple(true, 30, std::optional(Pace::EveryTick)));
    EXPECT_FALSE(parse({"--record", "a.gif", "--fps", "120"}).options.show_fps);
    // clang-format off
    const std::pair<const char*, std::optional<int32_t>> times[] = {
        {"00:00", 0}, {"24:00", 86400}, {"24:00:00", 86400}, {"23:59:59", 86399},
        {"07:05", 25500}, {"2026-12-07 00:00:01", 1}, {"24:00:01", {}}, {"24:01", {}},
        {"12:60", {}}, {"12:00:60", {}}, {"7:05", {}}, {"07:05:0", {}}, {"07-05", {}},
        {"07:05 ", {}}, {"2026-02-30 00:00:00", {}}, {"", {}}, {"2026-12-07 08x15:00", {}},
        {"2026-12-07 08:15x00", {}},
    };
    const std::tuple<const char*, double, double, std::optional<double>> decimals[] = {
        {"2", 0.5, 8, 2.0}, {"0.5", 0.5, 8, 0.5}, {"8.0", 0.5, 8, 8.0}, {"1.25", 0.5, 8, 1.25},
        {"0.49", 0.5, 8, {}}, {"8.000001", 0.5, 8, {}}, {"1e3", 0, 1e6, {}}, {"-1", 0, 8, {}},
        {".5", 0, 8, {}}, {"5.", 0, 8, {}}, {"1.2.3", 0, 8, {}}, {"", 0, 8, {}},
        {"1000000", 0.01, 1e6, 1e6}, {"0.000001", 0, 1, 0.000001}, {"0.0000001", 0, 1, {}},
        {"1234567890", 0, 1e10, {}},
    };
    // clang-format on
    for (const auto& [text, second] : times) {
        const std::optional<SpanTime> t = parse_span_time(text);
        EXPECT_EQ(t ? std::optional(t->second_of_day) : std::nullopt, second) << text;
    }
    for (const auto& [text, low, high, value] : decimals)
        EXPECT_EQ(parse_decimal(text, low, high), value) << text;
}

TEST(Options, BadInputGivesOneLineReasons) {
    // clang-format off
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"}, {"vehicles"}, {"-"}, {"--"}, {"--at"}, {"--at", "2026-12-07"},
        {"--at", "2026-12-07T08:15:00"}, {"--at", "2026-13-07 08:15:00"},
        {"--at", "2026-12-07 24:00:00"}, {"--at", "2026-12-07 08:60:00"},
        {"--at", "2026-12-07 08:15:60"}, {"--at", "2026-12-0x 08:15:00"},
        {"--at", "1969-12-31 23:59:59"}, {"--at", "2026-12-07 08:1::00"},
        {"--at", "2100-02-29 00:00:00"},
        {"--vehicles=yes"}, {"--bogus\nsecond line"}, {"--snapshot"},
        {"--snapshot", "x.png", "--size", "0x10"}, {"--snapshot", "x.png", "--size", "10"},
        {"--snapshot", "x.png", "--size", "16385x10"}, {"--snapshot", "x.png", "--size", "10x-1"},
        {"--snapshot", "x.png", "--frame", "0"}, {"--snapshot", "x.png", "--frame", "2x"},
        {"--snapshot", "x.png", "--frame", "1000001"}, {"--vehicles", "--size", "10x10"},
        {"--snapshot", "x.png", "--frame", "0000000000000000007"}, // 19 digits
        {"--vehicles", "--network"}, {"--window-id"}, {"--window-id", "abc"},
        {"--window-id", "5", "--fullscreen"}, {"--root", "--window-id", "5", "--vehicles"},
        {"--configure", "--at", "2026-12-07 08:15:00"}, {"--snapshot", "x.png", "--size", "10x"},
        {"--configure", "--snapshot", "x.png"}, // the conflict where --snapshot is met
        {"--vehic"}, {"-f"}, {"--fps", "30"}, {"--record", "a.gif", "-fps"},
        {"--record", "a.gif", "--frame", "2"}, {"--from", "10:00"}, {"--vehicles", "--pace=auto"},
        {"--pace"}, {"--pace", "every"}, {"--scale", "0.4"}, {"--info", "--scale", "2"},
        {"--record", "a.gif", "--speed", "0"}, {"--record", "a.gif", "--fps", "121"},
        {"--record"}, {"--record", "a.gif", "--to", "25:00"},
    };
    // clang-format on
    for (const auto& args : bad) {
        const std::string error = parse(args).error;
        EXPECT_TRUE(!error.empty() && error.find('\n') == std::string::npos)
            << testing::PrintToString(args) << ": " << error;
    }
}

TEST(Options, WindowIds) {
    // clang-format off
    const std::pair<const char*, std::optional<uint32_t>> ids[] = {
        {"1", 1u}, {"4294967295", 4294967295u}, {"0xffffffff", 4294967295u}, {"0X1F", 31u},
        {"0xaB", 0xabu}, {"0", {}}, {"0x0", {}}, {"", {}}, {"0x", {}}, {"4294967296", {}},
        {"0x100000000", {}}, {"12abc", {}}, {"0x12g", {}}, {"99999999999", {}},
    };
    // clang-format on
    for (const auto& [text, id] : ids)
        EXPECT_EQ(parse_window_id(text), id) << text;
}

std::string read_file(const std::string& name) {
    std::ostringstream text;
    text << std::ifstream(std::string(ZINTU_PACKAGING_DIR) + "/" + name).rdbuf();
    return text.str();
}

std::set<std::string> found(const std::string& text, const std::string& pattern) {
    std::set<std::string> names;
    const std::regex re(pattern);
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
        names.insert((*it)[1]);
    return names;
}

// True when `name` is an option --help lists.
bool zintu_accepts(const std::string& name) {
    for (const OptionSpec& spec : option_table())
        if (spec.name == name) return spec.group != OptionGroup::Unlisted;
    return false;
}

// True when zintu-gtfs knows the option (whether "1" suits it as a value or not).
bool gtfs_accepts(const std::string& name) {
    return gtfs::parse_options({"--help", "--" + name, "1"}).error.find("unknown option") ==
           std::string::npos;
}

TEST(Packaging, XmlManualsAndHelpNameTheSameOptionsAndVersion) {
    const struct {
        const char* manual;
        std::string usage;
        std::function<bool(const std::string&)> accepts;
    } programs[] = {
        {"zintu.6", usage_text(), zintu_accepts},
        {"zintu-gtfs.1", gtfs::kUsage, gtfs_accepts},
    };
    for (const auto& [manual, usage, accepts] : programs) {
        // The long option that each paragraph (.TP) opens with.
        const std::string man = std::regex_replace(read_file(manual), std::regex(R"(\\-)"), "-");
        const std::set<std::string> options = found(man, R"(\.TP\n[^\n]*?--([a-z][a-z-]*))");
        ASSERT_GT(options.size(), 8u) << manual;
        EXPECT_EQ(options, found(usage, R"(--([a-z][a-z-]*))")) << manual;
        for (const std::string& name : options)
            EXPECT_TRUE(accepts(name)) << manual << ": " << name << " is not accepted";
        EXPECT_NE(man.find("\"zintu " ZINTU_VERSION "\""), std::string::npos);
    }
    const std::string xml = read_file("zintu.xml");
    const std::set<std::string> switches = found(xml, R"(arg(?:-set)?="-([a-z-]+)\")");
    EXPECT_TRUE(switches.count("root")) << "XScreenSaver runs hacks with -root";
    for (const std::string& name : switches)
        EXPECT_TRUE(zintu_accepts(name) &&
                    std::string(usage_text()).find("--" + name) != std::string::npos)
            << name;
    for (const SettingDefinition* s : {&kSpeedSetting, &kZoomSetting})
        EXPECT_TRUE(switches.count(s->other.linux_switch) &&
                    !switches.count(s->default_choice.linux_switch));
    // The colours: "auto", the default, leaves them to the settings file.
    const std::set<std::string> colours = found(xml, R"(arg-set="-colours ([a-z]+)\")");
    EXPECT_EQ(colours, (std::set<std::string>{"lines", "featured"}));
    for (const std::string& value : colours)
        EXPECT_TRUE(parse_colour_scheme(value)) << value;
    EXPECT_EQ(found(xml, R"(arg-set="-pace ([a-z-]+)\")"), std::set<std::string>{"every-tick"});
    EXPECT_EQ(read_file("changelog").rfind("zintu (" ZINTU_VERSION ") ", 0), 0u)
        << "the newest entry comes first";
}

} // namespace
} // namespace zintu
