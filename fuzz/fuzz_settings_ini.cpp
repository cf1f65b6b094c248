// Fuzzes the settings file reader and writer: any bytes read without harm,
// values at most 99 characters, a value written reads back as written and
// writing it again changes nothing, a second key keeps the first, and the
// settings a file selects, saved into it, read back the same.
#include "host/ini_text.h"
#include "host/linux_settings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char* key : {"mode", "zoomlevel", "colours", "pace"}) {
        const auto value = zintu::ini_value(text, "zintu", key);
        if (value && value->size() > 99) std::abort();
    }
    const std::string written = zintu::ini_with_value(text, "ZINTU", "Mode", "fastmode");
    if (zintu::ini_value(written, "zintu", "mode") != "fastmode") std::abort();
    if (zintu::ini_with_value(written, "ZINTU", "Mode", "fastmode") != written) std::abort();
    const std::string both = zintu::ini_with_value(written, "zintu", "zoomlevel", "downtown");
    if (zintu::ini_value(both, "zintu", "mode") != "fastmode") std::abort();
    if (zintu::ini_value(both, "Zintu", "ZoomLevel") != "downtown") std::abort();
    const zintu::Settings chosen = zintu::settings_from_ini(text);
    const zintu::Settings saved = zintu::settings_from_ini(zintu::ini_with_settings(text, chosen));
    if (saved.speed_mode != chosen.speed_mode || saved.downtown != chosen.downtown ||
        saved.colours != chosen.colours || saved.pace != chosen.pace)
        std::abort();
    return 0;
}
