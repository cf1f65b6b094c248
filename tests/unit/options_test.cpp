// The Linux command line: modes, targets, settings switches, snapshot values,
// --at and bad input.
#include "host/linux_options.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace zintu {
namespace {

ParseResult parse(std::vector<const char*> args) {
    args.insert(args.begin(), "zintu");
    return parse_options(static_cast<int>(args.size()), args.data());
}

TEST(Options, GoodCommandLines) {
    constexpr RunMode W = RunMode::Window;
    constexpr WindowTarget D = WindowTarget::Desktop;
    constexpr auto fast = SpeedMode::Fast, real = SpeedMode::RealTime;
    struct Case {
        std::vector<const char*> args;
        RunMode mode;
        WindowTarget target;
        uint32_t window_id;
        std::optional<SpeedMode> speed;
        std::optional<bool> downtown;
    } cases[] = {
        {{}, W, D, 0, {}, {}},
        {{"-vehicles", "-fast"}, RunMode::Vehicles, D, 0, fast, {}},
        {{"--fast", "--realtime"}, W, D, 0, real, {}},
        {{"-downtown"}, W, D, 0, {}, true},
        {{"--downtown", "--full-network"}, W, D, 0, {}, false},
        {{"--help"}, RunMode::Help, D, 0, {}, {}},
        {{"-h"}, RunMode::Help, D, 0, {}, {}},
        {{"--vehicles", "--help"}, RunMode::Help, D, 0, {}, {}},
        {{"--version", "--root"}, RunMode::Version, WindowTarget::Root, 0, {}, {}},
        {{"--configure", "--fast", "--downtown"}, RunMode::Configure, D, 0, fast, true},
        {{"--info"}, RunMode::Info, D, 0, {}, {}},
        {{"--fullscreen"}, W, WindowTarget::FullScreen, 0, {}, {}},
        {{"-root", "-root"}, W, WindowTarget::Root, 0, {}, {}},
        {{"-window-id", "4194311"}, W, WindowTarget::WindowId, 4194311, {}, {}},
        {{"--window-id=0x400007", "-downtown"}, W, WindowTarget::WindowId, 0x400007, {}, true},
        // XScreenSaver's preview: the hack's "-root" with "--window-id" added.
        {{"-root", "-fast", "--window-id", "0x400E22"},
         W,
         WindowTarget::WindowId,
         0x400e22,
         fast,
         {}},
        {{"-window-id", "9", "-root"}, W, WindowTarget::WindowId, 9, {}, {}},
    };
    for (const Case& c : cases) {
        const ParseResult r = parse(c.args);
        const std::string what = testing::PrintToString(c.args);
        EXPECT_EQ(r.error, "") << what;
        EXPECT_EQ(r.options.mode, c.mode) << what;
        EXPECT_EQ(r.options.target, c.target) << what;
        EXPECT_EQ(r.options.window_id, c.window_id) << what;
        EXPECT_EQ(r.options.settings.speed_mode, c.speed) << what;
        EXPECT_EQ(r.options.settings.downtown, c.downtown) << what;
    }
}

TEST(Options, ValuesOfAtSnapshotAndNetwork) {
    for (const ParseResult& r : {parse({"--vehicles", "--at", "2026-12-07 08:15:00"}),
                                 parse({"-at=2026-12-07 08:15:00", "-vehicles"})}) {
        ASSERT_TRUE(r.options.at) << r.error;
        const CivilTime& at = *r.options.at;
        EXPECT_EQ(std::tie(at.year, at.month, at.day, at.hour, at.minute, at.second),
                  std::make_tuple(2026, 12, 7, 8, 15, 0));
    }
    EXPECT_EQ(parse({"--at", "2028-02-29 00:00:00"}).error, "");

    struct Snapshot {
        std::vector<const char*> args;
        int32_t width, height;
        int64_t frame;
    } snapshots[] = {
        {{"--snapshot", "a.png"}, 1280, 800, 0},
        {{"-snapshot=a.png", "-frame", "1", "-size", "320x200"}, 320, 200, 1},
        {{"--snapshot", "a.png", "--size=16384x1", "--frame=1000000"}, 16384, 1, 1000000},
    };
    for (const Snapshot& c : snapshots) {
        const ParseResult r = parse(c.args);
        EXPECT_EQ(r.error, "") << testing::PrintToString(c.args);
        EXPECT_EQ(r.options.mode, RunMode::Snapshot);
        EXPECT_EQ(r.options.snapshot_path, "a.png");
        EXPECT_EQ(std::tie(r.options.width, r.options.height, r.options.frame),
                  std::tie(c.width, c.height, c.frame))
            << testing::PrintToString(c.args);
    }

    EXPECT_EQ(parse({"--network", "city.zintu", "--info"}).options.settings.network, "city.zintu");
    EXPECT_EQ(parse({"--info", "-network=/srv/c.zintu"}).options.mode, RunMode::Info);
    EXPECT_FALSE(parse({"-root", "-network", ""}).options.settings.network);
}

TEST(Options, BadInputGivesOneLineReasons) {
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"},
        {"vehicles"},
        {"-"},
        {"--"},
        {"--at"},
        {"--at", "2026-12-07"},
        {"--at=tomorrow"},
        {"--at", "2026-12-07T08:15:00"},
        {"--at", "2026-13-07 08:15:00"},
        {"--at", "2026-02-29 08:15:00"},
        {"--at", "2026-12-07 24:00:00"},
        {"--at", "2026-12-07 08:60:00"},
        {"--at", "2026-12-07 08:15:60"},
        {"--at", "2026-12-07 8:15:00 "},
        {"--at", "2026-12-0x 08:15:00"},
        {"--at", "1969-12-31 23:59:59"},
        {"--vehicles=yes"},
        {"--fullscreen=yes"},
        {"--configure=1"},
        {"--bogus\nsecond line"},
        {"--at", "2026-12-07\n08:15:00"},
        {"\x1b[2J"},
        {"--snapshot"},
        {"--snapshot", "x.png", "--size", "10\nx10"},
        {"--snapshot", "x.png", "--size", "0x10"},
        {"--snapshot", "x.png", "--size", "10"},
        {"--snapshot", "x.png", "--size", "16385x10"},
        {"--snapshot", "x.png", "--size", "10x-1"},
        {"--snapshot", "x.png", "--frame", "0"},
        {"--snapshot", "x.png", "--frame", "-1"},
        {"--snapshot", "x.png", "--frame", "2x"},
        {"--snapshot", "x.png", "--frame", "1000001"},
        {"--vehicles", "--size", "10x10"},
        {"--frame", "3"},
        {"--vehicles", "--network"},
        {"--window-id"},
        {"--window-id", "abc"},
        {"--info", "--configure"},
        {"--root", "--fullscreen"},
        {"--window-id", "5", "--fullscreen"},
        {"--root", "--window-id", "5", "--vehicles"},
        {"--fullscreen", "--vehicles"},
        {"--configure", "--snapshot", "x.png"},
        {"--configure", "--at", "2026-12-07 08:15:00"},
    };
    for (const auto& args : bad) {
        const ParseResult r = parse(args);
        EXPECT_NE(r.error, "") << testing::PrintToString(args);
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << testing::PrintToString(args);
    }
}

TEST(Options, WindowIds) {
    struct Case {
        const char* text;
        std::optional<uint32_t> id;
    } ids[] = {
        {"1", 1u},
        {"4294967295", 4294967295u},
        {"0xffffffff", 4294967295u},
        {"0X1F", 31u},
        {"0xaB", 0xabu},
        {"0", std::nullopt},
        {"0x0", std::nullopt},
        {"", std::nullopt},
        {"0x", std::nullopt},
        {"4294967296", std::nullopt},
        {"0x100000000", std::nullopt},
        {"-1", std::nullopt},
        {"12abc", std::nullopt},
        {"0x12g", std::nullopt},
        {" 12", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& c : ids) {
        EXPECT_EQ(parse_window_id(c.text), c.id) << c.text;
    }
}

} // namespace
} // namespace zintu
