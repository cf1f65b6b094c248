// Which stored texts select which setting, and the command line's overrides.
#include "host/settings.h"

#include <gtest/gtest.h>

#include <string>

namespace zintu {
namespace {

TEST(SettingsValues, OnlyTheExactTextSelectsTheOtherChoice) {
    struct Case {
        std::string mode, zoomlevel;
        char speed;
        bool downtown;
    } cases[] = {
        {"", "", 'r', false},
        {"realtime", "fullnetwork", 'r', false},
        {"fastmode", "downtown", 'f', true},
        {"FastMode", "Downtown", 'r', false},
        {"fast mode", "down town", 'r', false},
        {"fastmode ", " downtown", 'r', false},
        {"fast", "downtownx", 'r', false},
        {std::string(120, 'x'), std::string(300, 'y'), 'r', false},
    };
    for (const Case& c : cases) {
        const Settings s = settings_from_values(c.mode, c.zoomlevel);
        EXPECT_EQ(s.speed_mode, c.speed) << c.mode;
        EXPECT_EQ(s.downtown, c.downtown) << c.zoomlevel;
    }
}

TEST(SettingsValues, OverridesReplaceOnlyWhatTheyName) {
    const Settings file{'f', true};
    EXPECT_EQ(apply_override(file, {}).speed_mode, 'f');
    EXPECT_EQ(apply_override(file, {'r', {}}).speed_mode, 'r');
    EXPECT_TRUE(apply_override(file, {'r', {}}).downtown);
    EXPECT_FALSE(apply_override(file, {{}, false}).downtown);
}

TEST(SettingsValues, WrittenTextsReadBackAsTheSameSettings) {
    for (char speed : {'r', 'f'}) {
        for (bool downtown : {false, true}) {
            const Settings s{speed, downtown};
            const Settings back = settings_from_values(mode_value(s), zoomlevel_value(s));
            EXPECT_EQ(back.speed_mode, speed);
            EXPECT_EQ(back.downtown, downtown);
        }
    }
}

} // namespace
} // namespace zintu
