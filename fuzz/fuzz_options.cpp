// Fuzzes the Linux command line: the input is split at NUL bytes into
// arguments. Parsing must never crash, and a rejected command line must come
// with a one-line reason.
#include "host/linux_options.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words = {"zintu", ""};
    for (size_t i = 0; i < size; ++i)
        data[i] == 0 ? words.emplace_back() : words.back() += static_cast<char>(data[i]);
    std::vector<const char*> argv;
    for (const std::string& w : words)
        argv.push_back(w.c_str());
    const zintu::ParseResult result =
        zintu::parse_options(static_cast<int>(argv.size()), argv.data());
    if (result.error.find('\n') != std::string::npos) std::abort();
    zintu::parse_civil_time(words.back());
    return 0;
}
