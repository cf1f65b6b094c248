// What the settings dialog's Network group says, as pure decisions: the name
// it shows for the network in use, and the message that refuses a chosen
// file. No Windows headers, so it is tested natively; the dialog
// (win32_settings_dialog.cpp) loads the files and shows the texts.
#pragma once

#include <string>
#include <string_view>

namespace zintu {

// The network in use as the group names it. `path` empty: the built-in
// network, "New York City (built in)" for `name` "New York City". Otherwise a
// file: when it loads (`usable`), its own `name`, or its file name when it
// has none; when it does not, its file name and "(cannot be used)".
std::string network_label(std::string_view path, std::string_view name, bool usable);

// The message for a chosen file that does not load: the file, the fault
// (`error` is load_network_file's line, which starts with the path), and
// that the choice before stays.
std::string network_refusal_text(std::string_view path, std::string_view error);

} // namespace zintu
