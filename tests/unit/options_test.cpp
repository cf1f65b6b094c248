// The Linux command line: modes, settings switches, --at and bad input.
#include "host/linux_options.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <vector>

namespace zintu {
namespace {

ParseResult parse(std::vector<const char*> args) {
    args.insert(args.begin(), "zintu");
    return parse_options(static_cast<int>(args.size()), args.data());
}

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        tzset();
    }
};

TEST_F(OptionsTest, ModesAndSwitchesTakeOneDashOrTwo) {
    struct Case {
        std::vector<const char*> args;
        RunMode mode;
        std::optional<SpeedMode> speed;
        std::optional<bool> downtown;
    } cases[] = {
        {{}, RunMode::Window, {}, {}},
        {{"--vehicles"}, RunMode::Vehicles, {}, {}},
        {{"-vehicles", "-fast"}, RunMode::Vehicles, SpeedMode::Fast, {}},
        {{"--fast", "--realtime"}, RunMode::Window, SpeedMode::RealTime, {}},
        {{"-downtown"}, RunMode::Window, {}, true},
        {{"--downtown", "--full-network"}, RunMode::Window, {}, false},
        {{"--help"}, RunMode::Help, {}, {}},
        {{"-h"}, RunMode::Help, {}, {}},
        {{"-version"}, RunMode::Version, {}, {}},
    };
    for (const Case& c : cases) {
        const ParseResult r = parse(c.args);
        EXPECT_EQ(r.error, "") << testing::PrintToString(c.args);
        EXPECT_EQ(r.options.mode, c.mode) << testing::PrintToString(c.args);
        EXPECT_EQ(r.options.settings.speed_mode, c.speed) << testing::PrintToString(c.args);
        EXPECT_EQ(r.options.settings.downtown, c.downtown) << testing::PrintToString(c.args);
    }
}

TEST_F(OptionsTest, AtTakesAWallClockTimeAsNextArgumentOrAfterEquals) {
    for (const ParseResult& r : {parse({"--vehicles", "--at", "2026-12-07 08:15:00"}),
                                 parse({"-at=2026-12-07 08:15:00", "-vehicles"})}) {
        ASSERT_TRUE(r.options.at) << r.error;
        const CivilTime& at = *r.options.at;
        EXPECT_EQ(std::tie(at.year, at.month, at.day, at.hour, at.minute, at.second),
                  std::make_tuple(2026, 12, 7, 8, 15, 0));
    }
    EXPECT_EQ(parse({"--at", "2028-02-29 00:00:00"}).error, "");
}

TEST_F(OptionsTest, NetworkTakesAFileAndAnEmptyOneNamesNone) {
    EXPECT_EQ(parse({"--network", "city.zintu", "--info"}).options.settings.network, "city.zintu");
    EXPECT_EQ(parse({"--info", "-network=/srv/c.zintu"}).options.mode, RunMode::Info);
    EXPECT_FALSE(parse({"-root", "-network", ""}).options.settings.network);
}

TEST_F(OptionsTest, BadInputGivesOneLineReasons) {
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"},
        {"vehicles"},
        {"-"},
        {"--"},
        {"--at"},
        {"--at", "2026-12-07"},
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
        {"--bogus\nsecond line"},
        {"--at", "2026-12-07\n08:15:00"},
        {"\x1b[2J"},
        {"--snapshot", "x.png", "--size", "10\nx10"},
        {"--vehicles", "--network"},
        {"--info", "--configure"},
    };
    for (const auto& args : bad) {
        const ParseResult r = parse(args);
        EXPECT_NE(r.error, "") << testing::PrintToString(args);
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << testing::PrintToString(args);
    }
}

TEST_F(OptionsTest, WindowModesAndConfigure) {
    struct Case {
        std::vector<const char*> args;
        RunMode mode;
        WindowTarget target;
        uint32_t window_id;
    } cases[] = {
        {{}, RunMode::Window, WindowTarget::Desktop, 0},
        {{"--fast", "--at", "2026-12-07 08:15:00"}, RunMode::Window, WindowTarget::Desktop, 0},
        {{"--fullscreen"}, RunMode::Window, WindowTarget::FullScreen, 0},
        {{"-root"}, RunMode::Window, WindowTarget::Root, 0},
        {{"-root", "-root"}, RunMode::Window, WindowTarget::Root, 0},
        {{"-window-id", "4194311"}, RunMode::Window, WindowTarget::WindowId, 4194311},
        {{"--window-id=0x400007", "-downtown"}, RunMode::Window, WindowTarget::WindowId, 0x400007},
        {{"-window-id", "0XfFfF"}, RunMode::Window, WindowTarget::WindowId, 0xffff},
        // XScreenSaver's preview: the hack's "-root" with "--window-id" added.
        {{"-root", "-fast", "--window-id", "0x400E22"},
         RunMode::Window,
         WindowTarget::WindowId,
         0x400e22},
        {{"-window-id", "9", "-root"}, RunMode::Window, WindowTarget::WindowId, 9},
        {{"--configure", "--fast", "--downtown"}, RunMode::Configure, WindowTarget::Desktop, 0},
        {{"--vehicles", "--help"}, RunMode::Help, WindowTarget::Desktop, 0},
        {{"--version", "--root"}, RunMode::Version, WindowTarget::Root, 0},
    };
    for (const Case& c : cases) {
        const ParseResult r = parse(c.args);
        EXPECT_EQ(r.error, "") << testing::PrintToString(c.args);
        EXPECT_EQ(r.options.mode, c.mode) << testing::PrintToString(c.args);
        EXPECT_EQ(r.options.target, c.target) << testing::PrintToString(c.args);
        EXPECT_EQ(r.options.window_id, c.window_id) << testing::PrintToString(c.args);
    }
    EXPECT_EQ(parse({"--configure", "--realtime"}).options.settings.speed_mode,
              SpeedMode::RealTime);
}

TEST_F(OptionsTest, WindowIdsAndModeClashes) {
    struct Case {
        const char* text;
        std::optional<uint32_t> id;
    } ids[] = {
        {"1", 1u},
        {"4294967295", 4294967295u},
        {"0xffffffff", 4294967295u},
        {"0x1F", 31u},
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
    const std::vector<std::vector<const char*>> bad = {
        {"--root", "--fullscreen"},
        {"--window-id", "5", "--fullscreen"},
        {"--root", "--window-id", "5", "--vehicles"},
        {"--fullscreen", "--vehicles"},
        {"--configure", "--snapshot", "x.png"},
        {"--configure", "--at", "2026-12-07 08:15:00"},
        {"--window-id"},
        {"--window-id", "abc"},
        {"--fullscreen=yes"},
        {"--configure=1"},
    };
    for (const auto& args : bad) {
        const ParseResult r = parse(args);
        EXPECT_NE(r.error, "") << testing::PrintToString(args);
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << testing::PrintToString(args);
    }
}

} // namespace
} // namespace zintu
