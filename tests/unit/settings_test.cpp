// Which stored texts select which setting, and the command line's overrides.
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
        {"", "", SpeedMode::RealTime, false},
        {"realtime", "fullnetwork", SpeedMode::RealTime, false},
        {"fastmode", "downtown", SpeedMode::Fast, true},
        {"FastMode", "Downtown", SpeedMode::RealTime, false},
        {"fast mode", "down town", SpeedMode::RealTime, false},
        {"fastmode ", " downtown", SpeedMode::RealTime, false},
        {"fast", "downtownx", SpeedMode::RealTime, false},
        {std::string(120, 'x'), std::string(300, 'y'), SpeedMode::RealTime, false},
    };
    for (const Case& c : cases) {
        const Settings s = settings_from_values(c.mode, c.zoomlevel);
        EXPECT_EQ(s.speed_mode, c.speed) << c.mode;
        EXPECT_EQ(s.downtown, c.downtown) << c.zoomlevel;
    }
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

TEST(SettingsValues, WrittenTextsReadBackAsTheSameSettings) {
    for (SpeedMode speed : {SpeedMode::RealTime, SpeedMode::Fast}) {
        for (bool downtown : {false, true}) {
            const Settings s{speed, downtown, {}};
            const Settings back = settings_from_values(mode_value(s), zoomlevel_value(s));
            EXPECT_EQ(back.speed_mode, speed);
            EXPECT_EQ(back.downtown, downtown);
        }
    }
}

} // namespace
} // namespace zintu
