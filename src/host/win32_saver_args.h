// The screen saver's command line as pure decisions: where the argument text
// starts, which mode its first switch selects and the window handle that
// follows it. No Windows headers, so the rules are tested natively as well.
//
// The host reads the wide command line and hands it over once converted to
// UTF-8. Every byte of a multi-byte UTF-8 character is 0x80 or above, so none
// can be taken for a quote, a blank or the end, and the rules step byte by
// byte; a program path in any script is skipped whole.
#pragma once

#include <cstdint>

namespace zintu {

// Exit code of a switch that names no mode, of a preview without a usable
// parent window and of a password change off the Windows 95 family.
inline constexpr int kExitRejected = -1;

// The argument text of a process command line: the program path (quoted or
// not) and the blanks and control bytes after it skipped. Never null.
const char* isolate_saver_arguments(const char* command_line);

enum class SaverMode {
    ConfigureUnowned, // no switch at all: the dialog without owner
    Configure,        // "c": the dialog over a window (see handle_text)
    FullScreen,       // "s"
    Preview,          // "p" or "l"
    ChangePassword,   // "a"
    Rejected,         // any other byte
};

struct SaverCommand {
    SaverMode mode = SaverMode::Rejected;
    // configure: the text after "c:", or null without the colon.
    // preview, change_password: the text after the letter and its spaces.
    const char* handle_text = nullptr;
};

// Reads the first switch of the argument text; what follows it is ignored.
SaverCommand scan_saver_switch(const char* arguments);

// Leading decimal digits as an unsigned 32-bit value that wraps on overflow;
// 0 when the text does not start with a digit (or is null).
uint32_t parse_window_handle(const char* text);

} // namespace zintu
