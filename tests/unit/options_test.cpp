// The Linux command line: modes, settings switches, --at and bad input.
#include "host/linux_options.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
        std::optional<char> speed;
        std::optional<bool> downtown;
    } cases[] = {
        {{}, RunMode::Window, {}, {}},
        {{"--vehicles"}, RunMode::Vehicles, {}, {}},
        {{"-vehicles", "-fast"}, RunMode::Vehicles, 'f', {}},
        {{"--fast", "--realtime"}, RunMode::Window, 'r', {}},
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

TEST_F(OptionsTest, AtTakesALocalTimeAsNextArgumentOrAfterEquals) {
    const int64_t expected = 1796631300; // 2026-12-07 08:15:00 UTC
    EXPECT_EQ(parse({"--vehicles", "--at", "2026-12-07 08:15:00"}).options.at, expected);
    EXPECT_EQ(parse({"-at=2026-12-07 08:15:00", "-vehicles"}).options.at, expected);
    EXPECT_EQ(parse({"--at", "2028-02-29 00:00:00"}).error, "");
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
    };
    for (const auto& args : bad) {
        const ParseResult r = parse(args);
        EXPECT_NE(r.error, "") << testing::PrintToString(args);
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << testing::PrintToString(args);
    }
}

} // namespace
} // namespace zintu
