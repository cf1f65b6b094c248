// Fuzzes the settings file reader and writer: any bytes read without harm,
// values at most 99 characters, and a value written reads back as written.
#include "host/ini_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char* key : {"mode", "zoomlevel"}) {
        const auto value = zintu::ini_value(text, "zintu", key);
        if (value && value->size() > 99) std::abort();
    }
    const std::string written = zintu::ini_with_value(text, "ZINTU", "Mode", "fastmode");
    const auto back = zintu::ini_value(written, "zintu", "mode");
    if (!back || *back != "fastmode") std::abort();
    return 0;
}
