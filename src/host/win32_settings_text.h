// The settings file's encoding on Windows, as pure decisions. The profile
// functions keep a file in UTF-16 when it starts with a UTF-16 byte-order
// mark, and otherwise in the system's ANSI code page, which cannot spell most
// names ("C:\Łódź\東京.zintu" would come back as "C:\Lodz\??.zintu"). So
// before its first write a file becomes UTF-16LE with the mark, a form that
// Notepad opens and saves as it is: an earlier version's ANSI file (other
// keys and all), a UTF-8 file an editor saved with its mark, or a new, empty
// one. No Windows headers: win32_settings.cpp converts from the code page and
// does the file work.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zintu {

// A bigger file is no settings file; it is left alone and not written.
inline constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;

enum class SettingsFileText {
    Utf16, // starts with a UTF-16 mark, in either byte order: written as it is
    Utf8,  // starts with the UTF-8 mark
    Ansi,  // anything else, no bytes at all included: the ANSI code page
};

struct SettingsFileForm {
    SettingsFileText text = SettingsFileText::Ansi;
    std::string_view body; // the bytes after the mark
};

SettingsFileForm settings_file_form(std::string_view bytes);

// The bytes of a UTF-16LE file holding `text`: the mark, then each code unit
// low byte first.
std::string utf16le_file(std::u16string_view text);

} // namespace zintu
