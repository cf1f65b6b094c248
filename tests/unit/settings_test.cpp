// Which stored texts select which setting, the texts written, and the command
// line's overrides.
#include "app/settings.h"

#include <gtest/gtest.h>

#include <string>

namespace zintu {
namespace {

TEST(SettingsValues, OnlyTheExactTextSelectsTheOtherChoice) {
    struct Case {
        std::string mode, zoomlevel;
        SpeedMode speed;
        bool downtown;
    } cases[] = {
        // clang-format off
        {"", "", SpeedMode::RealTime, false},
        {"realtime", "fullnetwork", SpeedMode::RealTime, false},
        {"fastmode", "downtown", SpeedMode::Fast, true},
        {"FastMode", "Downtown", SpeedMode::RealTime, false},
        {"fast mode", "down town", SpeedMode::RealTime, false},
        {"fastmode ", " downtown", SpeedMode::RealTime, false},
        {"fast", "downtownx", SpeedMode::RealTime, false},
        {std::string(120, 'x'), std::string(300, 'y'), SpeedMode::RealTime, false},
        // clang-format on
    };
    for (const Case& c : cases) {
        const Settings s = settings_from_values(c.mode, c.zoomlevel);
        EXPECT_EQ(s.speed_mode, c.speed) << c.mode;
        EXPECT_EQ(s.downtown, c.downtown) << c.zoomlevel;
    }
    EXPECT_STREQ(mode_value({SpeedMode::Fast, false, {}}), "fastmode");
    EXPECT_STREQ(mode_value({SpeedMode::RealTime, true, {}}), "realtime");
    EXPECT_STREQ(zoomlevel_value({SpeedMode::Fast, false, {}}), "fullnetwork");
    EXPECT_STREQ(zoomlevel_value({SpeedMode::RealTime, true, {}}), "downtown");
}

TEST(SettingsValues, OverridesReplaceOnlyWhatTheyName) {
    const Settings file{SpeedMode::Fast, true, {}};
    EXPECT_EQ(apply_override(file, {}).speed_mode, SpeedMode::Fast);
    EXPECT_EQ(apply_override(file, {SpeedMode::RealTime, {}, {}}).speed_mode, SpeedMode::RealTime);
    EXPECT_TRUE(apply_override(file, {SpeedMode::RealTime, {}, {}}).downtown);
    EXPECT_FALSE(apply_override(file, {{}, false, {}}).downtown);
    EXPECT_EQ(apply_override(file, {{}, {}, "city.zintu"}).network, "city.zintu");
    EXPECT_EQ(apply_override(file, {}).network, "");
}

} // namespace
} // namespace zintu
