// Reading UTF-8 one code point at a time, for the places that check, clean
// or widen text: a network's own texts, a feed's names, Windows file names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zintu {

struct CodePoint {
    uint32_t code = 0;
    size_t length = 0; // bytes; 0 when the text there is not well-formed UTF-8
};

// The code point that starts at byte `at` (< text.size()). A bad lead byte, a
// cut or broken sequence, an overlong form, a surrogate or a code past
// U+10FFFF is not well-formed.
CodePoint next_code_point(std::string_view text, size_t at);

// C0 controls, DEL and the C1 controls: what would break a line of text.
inline bool is_control(uint32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

} // namespace zintu
