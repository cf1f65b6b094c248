// Path arithmetic shared by the platforms' settings code, as text only.
#pragma once

#include <string>
#include <string_view>

namespace zintu {

// The folder part of `path`: everything before its last separator ("/" for
// a path at the root); empty when there is none. Linux separates with "/",
// Windows with "\" or "/".
inline std::string folder_of(const std::string& path, std::string_view separators = "/") {
    const std::size_t slash = path.find_last_of(separators);
    if (slash == std::string::npos) return "";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

} // namespace zintu
