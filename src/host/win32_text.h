// Text between the program, which keeps every text and path in UTF-8, and
// the wide ("W") Windows API, which takes UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace zintu {

// UTF-8 as UTF-16; a byte that is not part of well-formed UTF-8 becomes
// U+FFFD.
std::wstring widen(std::string_view utf8);

// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string narrow(std::wstring_view utf16);

} // namespace zintu
