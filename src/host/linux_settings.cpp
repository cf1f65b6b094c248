// The Linux side of the settings: the process's overrides and read_settings.
#include "host/linux_settings.h"

namespace zintu {
namespace {

SettingsOverride process_override;

} // namespace

void set_settings_override(const SettingsOverride& override_) {
    process_override = override_;
}

Settings read_settings() {
    return apply_override(Settings{}, process_override);
}

} // namespace zintu
