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

TEST(SettingsValues, ColoursAreOneOfThreeExactTexts) {
    const std::tuple<std::string, ColourScheme, bool> cases[] = {
        {"auto", ColourScheme::Auto, true},         {"lines", ColourScheme::Lines, true},
        {"featured", ColourScheme::Featured, true}, {"", ColourScheme::Auto, false},
        {"Lines", ColourScheme::Auto, false},       {"lines ", ColourScheme::Auto, false},
    };
    for (const auto& [value, scheme, named] : cases) {
        EXPECT_EQ(colour_scheme_from_value(value), scheme) << value;
        EXPECT_EQ(parse_colour_scheme(value).has_value(), named) << value;
    }
    for (const ColourChoice& choice : kColourChoices)
        EXPECT_STREQ(colours_value(choice.scheme), choice.value);
}

// Auto is the network's own choice; a network without route styles is drawn
// featured whatever the choice.
TEST(SettingsValues, ColourChoiceResolvedAgainstTheNetwork) {
    using enum ColourScheme;
    constexpr auto F = NetworkColours::Featured, L = NetworkColours::Lines;
    const ShapeStyle styles[1] = {{.colour = 0xEE352E, .kind = RouteKind::Metro}};
    // Without styles (though preferring lines), with styles preferring
    // featured, with styles preferring lines.
    Network networks[3]{};
    networks[1].shape_styles = networks[2].shape_styles = styles;
    networks[0].info.colours = networks[2].info.colours = L;
    const std::tuple<ColourScheme, int, NetworkColours> cases[] = {
        {Auto, 0, F}, {Auto, 1, F}, {Auto, 2, L}, {Lines, 0, F}, {Lines, 1, L}, {Featured, 2, F},
    };
    for (const auto& [choice, network, drawn] : cases)
        EXPECT_EQ(drawn_colours(choice, networks[network]), drawn)
            << colours_value(choice) << ", network " << network;
}

TEST(SettingsValues, OverridesReplaceOnlyWhatTheyName) {
    using enum SpeedMode;
    using enum ColourScheme;
    const Settings file{Fast, true, "a.zintu", Lines};
    const std::tuple<SettingsOverride, SpeedMode, bool, std::string, ColourScheme> cases[] = {
        {{}, Fast, true, "a.zintu", Lines},
        {{RealTime, {}, {}, {}}, RealTime, true, "a.zintu", Lines},
        {{{}, false, {}, {}}, Fast, false, "a.zintu", Lines},
        {{{}, {}, "city.zintu", {}}, Fast, true, "city.zintu", Lines},
        {{{}, {}, {}, Featured}, Fast, true, "a.zintu", Featured},
    };
    for (const auto& [override_, speed, downtown, network, colours] : cases) {
        const Settings s = apply_override(file, override_);
        EXPECT_EQ(std::tie(s.speed_mode, s.downtown, s.network, s.colours),
                  std::tie(speed, downtown, network, colours));
    }
}

} // namespace
} // namespace zintu
