// Which stored texts select which setting, and the command line's overrides.
#include "app/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace zintu {
namespace {

TEST(SettingsValues, OnlyTheExactTextSelectsTheOtherChoice) {
    const std::tuple<std::string, std::string, SpeedMode, bool> cases[] = {
        {"", "", SpeedMode::RealTime, false},
        {"realtime", "fullnetwork", SpeedMode::RealTime, false},
        {"fastmode", "downtown", SpeedMode::Fast, true},
        {"FastMode", "Downtown", SpeedMode::RealTime, false},
        {"fastmode ", " downtown", SpeedMode::RealTime, false},
        {"fast", "downtownx", SpeedMode::RealTime, false},
    };
    for (const auto& [mode, zoomlevel, speed, downtown] : cases) {
        const Settings s = settings_from_values(mode, zoomlevel);
        EXPECT_EQ(std::tie(s.speed_mode, s.downtown), std::tie(speed, downtown)) << mode;
    }
    EXPECT_STREQ(mode_value({SpeedMode::Fast, false, {}}), "fastmode");
    EXPECT_STREQ(mode_value({SpeedMode::RealTime, true, {}}), "realtime");
    EXPECT_STREQ(zoomlevel_value({SpeedMode::Fast, false, {}}), "fullnetwork");
    EXPECT_STREQ(zoomlevel_value({SpeedMode::RealTime, true, {}}), "downtown");
}

TEST(SettingsValues, OverridesReplaceOnlyWhatTheyName) {
    const Settings file{SpeedMode::Fast, true, "a.zintu"};
    const std::tuple<SettingsOverride, SpeedMode, bool, std::string> cases[] = {
        {{}, SpeedMode::Fast, true, "a.zintu"},
        {{SpeedMode::RealTime, {}, {}}, SpeedMode::RealTime, true, "a.zintu"},
        {{{}, false, {}}, SpeedMode::Fast, false, "a.zintu"},
        {{{}, {}, "city.zintu"}, SpeedMode::Fast, true, "city.zintu"},
    };
    for (const auto& [override_, speed, downtown, network] : cases) {
        const Settings s = apply_override(file, override_);
        EXPECT_EQ(std::tie(s.speed_mode, s.downtown, s.network),
                  std::tie(speed, downtown, network));
    }
}

} // namespace
} // namespace zintu
