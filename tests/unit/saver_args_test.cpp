// The Windows screen saver's command line: isolation, switch scan, handles.
#include "host/win32_saver_args.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace zintu {
namespace {

TEST(SaverArguments, IsolationSkipsTheProgramPathAndTheBlanksAfterIt) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = { // command line, its arguments
        {"zintu.scr /s", "/s"}, {"\"C:\\Program Files\\Zintu\\zintu.scr\" /s", "/s"},
        {"\"C:\\Program Files\\Zintu\\zintu.scr\"/s", "/s"},
        {"\"C:\\Program Files\\zintu.scr /s", ""}, // no closing quote
        {"\"\" /c", "/c"},                         // empty quoted path
        {"zintu.scr\t/s", "/s"}, {"zintu.scr\x01/s", "/s"}, // a tab or any control byte ends it
        {"zintu.scr \t \t /c:42", "/c:42"},        // blanks and tabs skipped
        {"zintu.scr", ""}, {"zintu.scr    ", ""}, {"", ""},
        {" /s", "/s"},                             // no program name at all
        {"zin\xE9tu.scr /s", "/s"},                // bytes above 0x7F are name
        // UTF-8, as the host converts the wide command line (this file is UTF-8).
        {"\"C:\\Łódź\\東京.scr\" /p 12", "/p 12"}, {"C:\\Łódź\\𝕫.scr /c:9", "/c:9"},
    };
    // clang-format on
    for (const auto& [line, arguments] : cases)
        EXPECT_STREQ(isolate_saver_arguments(line), arguments) << line;
    EXPECT_STREQ(isolate_saver_arguments(nullptr), "");
}

TEST(SaverArguments, FirstSwitchSelectsTheMode) {
    constexpr auto Unowned = SaverMode::ConfigureUnowned, Full = SaverMode::FullScreen,
                   Configure = SaverMode::Configure, Preview = SaverMode::Preview,
                   Password = SaverMode::ChangePassword, Rejected = SaverMode::Rejected;
    // clang-format off
    const std::tuple<const char*, SaverMode, const char*> cases[] = { // handle text, or none
        {"", Unowned, nullptr}, {"  - / -//  ", Unowned, nullptr}, {"/s", Full, nullptr},
        {"-S", Full, nullptr}, {"/s5", Full, nullptr}, {"/s /c:12", Full, nullptr},
        {"/C 1234", Configure, nullptr}, {"/c:1234", Configure, "1234"}, {"/c:", Configure, ""},
        {"/p1234", Preview, "1234"}, {"/P    1234", Preview, "1234"}, {"/p:1234", Preview, ":1234"},
        {"/p", Preview, ""}, {"/p\t1234", Preview, "\t1234"}, {"-L1234 /s", Preview, "1234 /s"},
        {"/A 77", Password, "77"}, {"/a5", Password, "5"}, {"/\ts", Rejected, nullptr},
        {"/x", Rejected, nullptr}, {"/\xE9", Rejected, nullptr}, {"\x7F", Rejected, nullptr},
    };
    // clang-format on
    for (const auto& [arguments, mode, handle_text] : cases) {
        const SaverCommand command = scan_saver_switch(arguments);
        EXPECT_EQ(command.mode, mode) << arguments;
        // The handle text is the rest of the argument text, not a copy.
        const char* end = arguments + std::strlen(arguments);
        EXPECT_EQ(command.handle_text, handle_text ? end - std::strlen(handle_text) : nullptr)
            << arguments;
    }
}

TEST(SaverArguments, HandlesAreLeadingDigitsThatWrapAt32Bits) {
    // clang-format off
    const std::pair<const char*, uint32_t> cases[] = {
        {"1234", 1234u}, {"0", 0u}, {"", 0u}, {" 1234", 0u}, /* no blanks skipped here */
        {"-5", 0u}, {"12ab", 12u}, {"4294967295", 4294967295u}, {"4294967296", 0u},
        {"4294967297", 1u}, {"123456789012345678901234567890", 1312754386u},
    };
    // clang-format on
    for (const auto& [text, handle] : cases)
        EXPECT_EQ(parse_window_handle(text), handle) << text;
    EXPECT_EQ(parse_window_handle(nullptr), 0u);
}

} // namespace
} // namespace zintu
