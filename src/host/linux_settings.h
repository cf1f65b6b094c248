// Settings of the Linux program: the settings file with this run's
// command-line overrides on top.
#pragma once

#include "host/settings.h"

namespace zintu {

// Records the command line's overrides for `read_settings` to apply.
void set_settings_override(const SettingsOverride& override_);

} // namespace zintu
