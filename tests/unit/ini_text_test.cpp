// INI text as the profile functions read and write it: lookup rules, the
// 99-character cut, junk, and updates that keep every other byte.
#include "host/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace zintu {
namespace {

using namespace std::string_literals;

TEST(IniValue, LookupRules) {
    // The text, and the value of key "mode" in section "zintu".
    const std::tuple<const char*, std::string, std::optional<std::string>> cases[] = {
        {"plain", "[zintu]\nmode=fastmode\n", "fastmode"},
        {"section in any case", "[ZinTU]\nmode=fastmode\n", "fastmode"},
        {"key in any case", "[zintu]\nMODE=fastmode\n", "fastmode"},
        {"value keeps its case", "[zintu]\nmode=FastMode\n", "FastMode"},
        {"blanks around names and value", " [ zintu ] \n\t mode \t= \tfast mode \r\n", "fast mode"},
        {"no final newline", "[zintu]\nmode=fastmode", "fastmode"},
        {"empty value", "[zintu]\nmode=\n", ""},
        {"value holds '='", "[zintu]\nmode=a=b\n", "a=b"},
        {"first key wins", "[zintu]\nmode=one\nmode=two\n", "one"},
        {"first section wins", "[zintu]\nx=1\n[zintu]\nmode=two\n", std::nullopt},
        {"key of another section", "[other]\nmode=fastmode\n[zintu]\n", std::nullopt},
        {"key before any section", "mode=fastmode\n[zintu]\n", std::nullopt},
        {"a longer key is another key", "[zintu]\nmodes=fastmode\n", std::nullopt},
        {"comment lines are not keys", "[zintu]\n;mode=fastmode\n#mode=x\n", std::nullopt},
        {"line without '=' is skipped", "[zintu]\nmode fastmode\nmode=ok\n", "ok"},
        {"broken header ends the section", "[zintu]\n[broken\nmode=fastmode\n", std::nullopt},
        {"header without ']' names a section", "[zintu\nmode=fastmode\n", "fastmode"},
        {"NUL ends the value", "[zintu]\nmode=fastmode\0junk\n"s, "fastmode"},
        {"NUL inside a key", "[zintu]\nmo\0de=fastmode\nmode=ok\n"s, "ok"},
        {"99 characters kept", "[zintu]\nmode=" + std::string(99, 'a') + "\n",
         std::string(99, 'a')},
        {"longer values cut at 99", "[zintu]\nmode=" + std::string(5000, 'b') + "c\n",
         std::string(99, 'b')},
        {"blanks trimmed before the cut", "[zintu]\nmode=" + std::string(200, ' ') + "x\n", "x"},
    };
    for (const auto& [what, text, value] : cases)
        EXPECT_EQ(ini_value(text, "zintu", "mode"), value) << what;
}

TEST(IniWithValue, UpdatesKeepEverythingElse) {
    // The text, and the text after setting zintu/mode to "fastmode".
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"empty text", "", "[zintu]\nmode=fastmode\n"},
        {"replaces the value, key spelled anew", "[Zintu]\nMode = realtime\nx=1\n",
         "[Zintu]\nmode=fastmode\nx=1\n"},
        {"only the first of two keys", "[zintu]\nmode=a\nmode=b\n",
         "[zintu]\nmode=fastmode\nmode=b\n"},
        {"adds the key after the section's last line", "[zintu]\nx=1\n\n[other]\ny=2\n",
         "[zintu]\nx=1\nmode=fastmode\n\n[other]\ny=2\n"},
        {"adds the key to a section at the end without newline", "[zintu]\nx=1",
         "[zintu]\nx=1\nmode=fastmode\n"},
        {"appends a section after the rest", "; note\n[other]\nmode=keep\n",
         "; note\n[other]\nmode=keep\n\n[zintu]\nmode=fastmode\n"},
        {"appends after a last line without newline", "[other]\ny=2",
         "[other]\ny=2\n\n[zintu]\nmode=fastmode\n"},
        {"replaces within CRLF", "[zintu]\r\nmode=x\r\n", "[zintu]\r\nmode=fastmode\r\n"},
        {"keeps CRLF line ends", "[other]\r\ny=2\r\n",
         "[other]\r\ny=2\r\n\r\n[zintu]\r\nmode=fastmode\r\n"},
        {"keeps NULs and binary bytes", "\x01\0\xff\n[zintu]\nmode=\0x\n"s,
         "\x01\0\xff\n[zintu]\nmode=fastmode\n"s},
    };
    for (const auto& [what, text, expected] : cases)
        EXPECT_EQ(ini_with_value(text, "zintu", "mode", "fastmode"), expected) << what;
}

} // namespace
} // namespace zintu
