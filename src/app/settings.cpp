// Pure decisions about the settings: which stored text selects which choice.
#include "app/settings.h"

namespace zintu {

bool selects_other(const SettingDefinition& spec, std::string_view value) {
    const std::string_view cut = value.substr(0, kSettingValueBuffer - 1);
    return cut == spec.other.value;
}

Settings settings_from_values(std::string_view mode, std::string_view zoomlevel) {
    Settings settings;
    settings.speed_mode =
        selects_other(kSpeedSetting, mode) ? SpeedMode::Fast : SpeedMode::RealTime;
    settings.downtown = selects_other(kZoomSetting, zoomlevel);
    return settings;
}

std::optional<ColourScheme> parse_colour_scheme(std::string_view value) {
    for (const ColourChoice& choice : kColourChoices)
        if (value == choice.value) return choice.scheme;
    return std::nullopt;
}

ColourScheme colour_scheme_from_value(std::string_view value) {
    return parse_colour_scheme(value.substr(0, kSettingValueBuffer - 1))
        .value_or(ColourScheme::Auto);
}

const char* colours_value(ColourScheme scheme) {
    for (const ColourChoice& choice : kColourChoices)
        if (choice.scheme == scheme) return choice.value;
    return kColourChoices[0].value;
}

NetworkColours drawn_colours(ColourScheme choice, const Network& network) {
    if (network.shape_styles == nullptr) return NetworkColours::Featured;
    switch (choice) {
    case ColourScheme::Lines:
        return NetworkColours::Lines;
    case ColourScheme::Featured:
        return NetworkColours::Featured;
    case ColourScheme::Auto:
        break;
    }
    return network.info.colours;
}

Settings apply_override(Settings settings, const SettingsOverride& override_) {
    if (override_.speed_mode) settings.speed_mode = *override_.speed_mode;
    if (override_.downtown) settings.downtown = *override_.downtown;
    if (override_.network) settings.network = *override_.network;
    if (override_.colours) settings.colours = *override_.colours;
    if (override_.pace) settings.pace = *override_.pace;
    return settings;
}

const char* mode_value(const Settings& settings) {
    return settings.speed_mode == SpeedMode::Fast ? kSpeedSetting.other.value
                                                  : kSpeedSetting.default_choice.value;
}

const char* zoomlevel_value(const Settings& settings) {
    return settings.downtown ? kZoomSetting.other.value : kZoomSetting.default_choice.value;
}

} // namespace zintu
