// The settings file's encoding on Windows: which text a file holds, and the
// UTF-16LE bytes it becomes.
#include "host/win32_settings_text.h"

namespace zintu {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

} // namespace

SettingsFileForm settings_file_form(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark))
        return {SettingsFileText::Utf16, bytes.substr(2)};
    if (bytes.starts_with(kUtf8Mark)) return {SettingsFileText::Utf8, bytes.substr(3)};
    return {SettingsFileText::Ansi, bytes};
}

std::string utf16le_file(std::u16string_view text) {
    std::string bytes(kUtf16LeMark);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

} // namespace zintu
