// The screen saver's command line: argument isolation, switch scan, handle
// parsing and the mouse and grace rules. Built natively and for Windows.
#include "app/saver_rules.h"
#include "host/win32_saver_args.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zintu {
namespace {

// A double-byte code page in miniature: bytes 0x81..0x9F lead a two-byte
// character, whose second byte may be any value, a quote included.
const char* next_double_byte(const char* text) {
    const unsigned char c = static_cast<unsigned char>(*text);
    if (c >= 0x81 && c <= 0x9F && text[1] != '\0') return text + 2;
    return text + 1;
}

TEST(SaverArguments, IsolationSkipsTheProgramPathAndTheBlanksAfterIt) {
    struct Case {
        const char* command_line;
        const char* arguments;
    } cases[] = {
        {"zintu.scr /s", "/s"},
        {"C:\\WINDOWS\\zintu.scr /p 1234", "/p 1234"},
        {"\"C:\\Program Files\\Zintu\\zintu.scr\" /s", "/s"},
        {"\"C:\\Program Files\\Zintu\\zintu.scr\"/s", "/s"},
        {"\"C:\\Program Files\\zintu.scr /s", ""}, // no closing quote
        {"\"\" /c", "/c"},                         // empty quoted path
        {"zintu.scr\t/s", "/s"},                   // a tab ends the name
        {"zintu.scr\x01/s", "/s"},                 // so does any control byte
        {"zintu.scr \t \t /c:42", "/c:42"},        // blanks and tabs skipped
        {"zintu.scr", ""},
        {"zintu.scr    ", ""},
        {"", ""},
        {" /s", "/s"},              // no program name at all
        {"zin\xE9tu.scr /s", "/s"}, // bytes above 0x7F are name
        {"zintu.scr /s   /c", "/s   /c"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(isolate_saver_arguments(c.command_line), c.arguments) << c.command_line;
    }
    EXPECT_STREQ(isolate_saver_arguments(nullptr), "");
}

TEST(SaverArguments, IsolationAdvancesByWholeCharacters) {
    // The second byte of a double-byte character is a quote: it does not end
    // the quoted path, the real closing quote does.
    const char* line = "\"C:\\\x95\"zintu.scr\" /s";
    EXPECT_STREQ(isolate_saver_arguments(line, next_double_byte), "/s");
    EXPECT_STREQ(isolate_saver_arguments(line), "zintu.scr\" /s");
}

TEST(SaverArguments, FirstSwitchSelectsTheMode) {
    struct Case {
        const char* arguments;
        SaverMode mode;
        const char* handle_text; // null when the mode takes none
    } cases[] = {
        {"", SaverMode::ConfigureUnowned, nullptr},
        {"  - / -//  ", SaverMode::ConfigureUnowned, nullptr},
        {"/s", SaverMode::FullScreen, nullptr},
        {"-S", SaverMode::FullScreen, nullptr},
        {"s", SaverMode::FullScreen, nullptr},
        {"//s", SaverMode::FullScreen, nullptr},
        {"- s", SaverMode::FullScreen, nullptr},
        {"/s5", SaverMode::FullScreen, nullptr},
        {"/s /c:12", SaverMode::FullScreen, nullptr},
        {"/c", SaverMode::Configure, nullptr},
        {"/C 1234", SaverMode::Configure, nullptr},
        {"/c:1234", SaverMode::Configure, "1234"},
        {"/c:x", SaverMode::Configure, "x"},
        {"/c:", SaverMode::Configure, ""},
        {"/p 1234", SaverMode::Preview, "1234"},
        {"/p1234", SaverMode::Preview, "1234"},
        {"/P    1234", SaverMode::Preview, "1234"},
        {"/p:1234", SaverMode::Preview, ":1234"},
        {"/p", SaverMode::Preview, ""},
        {"/p\t1234", SaverMode::Preview, "\t1234"},
        {"/l 1234", SaverMode::Preview, "1234"},
        {"-L1234 /s", SaverMode::Preview, "1234 /s"},
        {"/a", SaverMode::ChangePassword, ""},
        {"/A 77", SaverMode::ChangePassword, "77"},
        {"/\ts", SaverMode::Rejected, nullptr},
        {"/x", SaverMode::Rejected, nullptr},
        {"/1", SaverMode::Rejected, nullptr},
        {"/\xE9", SaverMode::Rejected, nullptr},
        {"\x7F", SaverMode::Rejected, nullptr},
        {"+s", SaverMode::Rejected, nullptr},
    };
    for (const Case& c : cases) {
        const SaverCommand command = scan_saver_switch(c.arguments);
        EXPECT_EQ(command.mode, c.mode) << c.arguments;
        if (c.handle_text == nullptr) {
            EXPECT_EQ(command.handle_text, nullptr) << c.arguments;
        } else {
            ASSERT_NE(command.handle_text, nullptr) << c.arguments;
            EXPECT_STREQ(command.handle_text, c.handle_text) << c.arguments;
            // The text is the rest of the argument text, not a copy.
            EXPECT_GE(command.handle_text, c.arguments);
            EXPECT_LE(command.handle_text, c.arguments + std::strlen(c.arguments));
        }
    }
}

TEST(SaverArguments, HandlesAreLeadingDigitsThatWrapAt32Bits) {
    struct Case {
        const char* text;
        uint32_t handle;
    } cases[] = {
        {"1234", 1234u},
        {"1234 /s", 1234u},
        {"0", 0u},
        {"007", 7u},
        {"", 0u},
        {" 1234", 0u}, // no blanks skipped here
        {":1234", 0u},
        {"-5", 0u},
        {"+5", 0u},
        {"0x1F", 0u},
        {"12ab", 12u},
        {"4294967295", 4294967295u},
        {"4294967296", 0u},
        {"4294967297", 1u},
        {"99999999999", static_cast<uint32_t>(99999999999ull % 4294967296ull)},
        {"123456789012345678901234567890", 0u}, // filled below
    };
    uint32_t long_value = 0;
    for (const char* p = "123456789012345678901234567890"; *p; ++p)
        long_value = long_value * 10u + static_cast<uint32_t>(*p - '0');
    cases[std::size(cases) - 1].handle = long_value;
    for (const Case& c : cases) {
        EXPECT_EQ(parse_window_handle(c.text), c.handle) << c.text;
    }
    EXPECT_EQ(parse_window_handle(nullptr), 0u);
}

TEST(SaverArguments, CommandLinesEndToEnd) {
    // The whole path from command line to mode and handle, as the entry runs it.
    struct Case {
        const char* command_line;
        SaverMode mode;
        uint32_t handle;
    } cases[] = {
        {"\"C:\\My Savers\\zintu.scr\" /s", SaverMode::FullScreen, 0},
        {"\"C:\\My Savers\\zintu.scr /p 5", SaverMode::ConfigureUnowned, 0},
        {"zintu.scr /p 0x10", SaverMode::Preview, 0},
        {"zintu.scr /p:1234", SaverMode::Preview, 0},
        {"zintu.scr /p\t1234", SaverMode::Preview, 0},
        {"zintu.scr\t/p 4294967298", SaverMode::Preview, 2},
        {"zintu.scr /c:66000", SaverMode::Configure, 66000},
        {"zintu.scr /c 66000", SaverMode::Configure, 0},
    };
    for (const Case& c : cases) {
        const SaverCommand command = scan_saver_switch(isolate_saver_arguments(c.command_line));
        EXPECT_EQ(command.mode, c.mode) << c.command_line;
        EXPECT_EQ(parse_window_handle(command.handle_text), c.handle) << c.command_line;
    }
}

TEST(SaverRuleArithmetic, CloseGraceFollowsTheLastVerificationAcrossTheWrap) {
    struct Case {
        uint32_t now, last_end;
        bool refused;
    } cases[] = {
        {1000, kNeverVerified, false}, {1000, 1000, true},      {1199, 1000, true},
        {1200, 1000, false},           {50, 0xFFFFFFF0u, true}, // 66 ms across the wrap
        {300, 0xFFFFFFF0u, false},     {999, 1000, false}, // a clock that went back counts as long
                                                           // ago
    };
    for (const Case& c : cases) {
        EXPECT_EQ(within_verify_grace(c.now, c.last_end), c.refused) << c.now << " " << c.last_end;
    }
}

} // namespace
} // namespace zintu
