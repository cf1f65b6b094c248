// The texts of the settings dialog's Network group.
#include "host/win32_network_group.h"

namespace zintu {
namespace {

// The last part of a Windows path, which separates with "\" or "/".
std::string_view file_name_of(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace

std::string network_label(std::string_view path, std::string_view name, bool usable) {
    if (path.empty())
        return name.empty() ? "The built-in network" : std::string(name) + " (built in)";
    if (!usable) return std::string(file_name_of(path)) + " (cannot be used)";
    return std::string(name.empty() ? file_name_of(path) : name);
}

std::string network_refusal_text(std::string_view path, std::string_view error) {
    std::string_view fault = error;
    if (fault.starts_with(path) && fault.substr(path.size()).starts_with(": "))
        fault.remove_prefix(path.size() + 2);
    return "This file cannot be used as a network:\n" + std::string(path) + "\n\n" +
           std::string(fault) + "\n\nThe network chosen before is kept.";
}

} // namespace zintu
