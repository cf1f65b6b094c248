// Fuzzes the Windows saver's command line: argument isolation, the switch
// scan and handle parsing. The results must stay inside the text they were
// given.
#include "host/win32_saver_args.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check_inside(const std::string& line, const char* p) {
    if (p < line.c_str() || p > line.c_str() + line.size()) std::abort();
}

void run(const std::string& line) {
    const char* arguments = zintu::isolate_saver_arguments(line.c_str());
    check_inside(line, arguments);
    const zintu::SaverCommand command = zintu::scan_saver_switch(arguments);
    if (command.handle_text) check_inside(line, command.handle_text);
    (void)zintu::parse_window_handle(command.handle_text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A command line ends at its first NUL, as the process's does.
    std::string line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\0'));
    run(line);
    return 0;
}
