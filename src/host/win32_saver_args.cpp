// The screen saver's command line as pure decisions: argument isolation,
// switch scan and window-handle parsing.
#include "host/win32_saver_args.h"

namespace zintu {
namespace {

// Bytes are compared unsigned, so 0x80..0xFF belong to a program name.
bool is_blank_or_control(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

const char* skip_spaces(const char* text) {
    while (*text == ' ')
        ++text;
    return text;
}

} // namespace

const char* isolate_saver_arguments(const char* command_line) {
    if (command_line == nullptr) return "";
    const char* p = command_line;
    if (*p == '"') {
        // A quoted path ends at its closing quote; without one nothing is left.
        do {
            ++p;
        } while (*p != '\0' && *p != '"');
        if (*p == '"') ++p;
    } else if (!is_blank_or_control(*p)) {
        while (!is_blank_or_control(*p))
            ++p;
    }
    while (*p != '\0' && is_blank_or_control(*p))
        ++p;
    return p;
}

SaverCommand scan_saver_switch(const char* arguments) {
    if (arguments == nullptr) return {SaverMode::ConfigureUnowned, nullptr};
    for (const char* p = arguments;; ++p) {
        switch (static_cast<signed char>(*p)) {
        case '\0':
            return {SaverMode::ConfigureUnowned, nullptr};
        case ' ':
        case '-':
        case '/':
            continue;
        case 's':
        case 'S':
            return {SaverMode::FullScreen, nullptr};
        case 'c':
        case 'C':
            return {SaverMode::Configure, p[1] == ':' ? p + 2 : nullptr};
        case 'p':
        case 'P':
        case 'l':
        case 'L':
            return {SaverMode::Preview, skip_spaces(p + 1)};
        case 'a':
        case 'A':
            return {SaverMode::ChangePassword, skip_spaces(p + 1)};
        default:
            return {SaverMode::Rejected, nullptr};
        }
    }
}

uint32_t parse_window_handle(const char* text) {
    uint32_t value = 0;
    if (text == nullptr) return value;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10u + static_cast<uint32_t>(*text - '0');
    }
    return value;
}

} // namespace zintu
