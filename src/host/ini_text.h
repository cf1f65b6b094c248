// Reading and writing settings in INI text, without touching any file: the
// Linux program's settings file follows the rules of the Windows profile
// functions, so both platforms read the same file the same way.
//
// Reading: sections "[name]" and keys "key=value" are found without regard to
// ASCII letter case; the first matching section and, within it, the first
// matching key count. Blanks around names and values are dropped, a value ends
// at a NUL byte, and only its first characters are returned (99 for a
// choice). Lines without
// "=" and lines starting with ';' or '#' are not keys. Lines may end in "\n"
// or "\r\n"; the last line needs no line end.
//
// Writing: replaces the first matching key line of the first matching
// section, else adds the key at the end of that section, else adds the
// section at the end of the text. Every other byte of the text is kept.
#pragma once

#include "app/settings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zintu {

// The value of `key` in `section`, cut at `limit` bytes as a profile buffer
// would cut it (the choices' 100-byte buffer by default); empty when the
// section or the key is missing.
std::optional<std::string> ini_value(std::string_view text, std::string_view section,
                                     std::string_view key,
                                     std::size_t limit = kSettingValueBuffer - 1);

// `text` with `key` in `section` set to `value` (which holds no line break).
std::string ini_with_value(std::string_view text, std::string_view section, std::string_view key,
                           std::string_view value);

} // namespace zintu
