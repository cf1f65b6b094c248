// The Windows settings' pure decisions: which text a settings file holds
// and the UTF-16LE bytes it becomes before a write, and what the dialog's
// Network group says.
#include "host/win32_network_group.h"
#include "host/win32_settings_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace zintu {
namespace {

TEST(Win32SettingsFile, WhatAFileHoldsAndTheUtf16ItBecomes) {
    constexpr auto Utf16 = SettingsFileText::Utf16, Utf8 = SettingsFileText::Utf8,
                   Ansi = SettingsFileText::Ansi;
    using namespace std::string_literals;
    // clang-format off
    const std::tuple<std::string, SettingsFileText, std::string> cases[] = { // bytes, text, body
        {"\xFF\xFE[\0z\0"s, Utf16, "[\0z\0"s}, {"\xFE\xFF\0[\0z"s, Utf16, "\0[\0z"s},
        {"\xEF\xBB\xBF[zintu]", Utf8, "[zintu]"},
        {"caf\xE9\r\n", Ansi, "caf\xE9\r\n"}, {"", Ansi, ""},
        {"\xFF", Ansi, "\xFF"}, {"\xEF\xBB", Ansi, "\xEF\xBB"}, // a mark cut short is text
    };
    // clang-format on
    for (const auto& [bytes, text, body] : cases) {
        const SettingsFileForm form = settings_file_form(bytes);
        EXPECT_EQ(form.text, text) << bytes;
        EXPECT_EQ(form.body, body) << bytes;
    }
    EXPECT_EQ(utf16le_file(u""), "\xFF\xFE");
    EXPECT_EQ(utf16le_file(u"a\r\n\u0141\u6771\U0001D56B"),
              "\xFF\xFE"
              "a\0\r\0\n\0\x41\x01\x71\x67\x35\xD8\x6B\xDD"s);
}

TEST(Win32NetworkGroup, TheNetworksNameAndTheRefusal) {
    // clang-format off
    const std::tuple<const char*, const char*, bool, const char*> cases[] = { // path, name, usable
        {"", "New York City", true, "New York City (built in)"},
        {"", "", true, "The built-in network"},
        {"C:\\Łódź\\東京.zintu", "Tokyo Metro", true, "Tokyo Metro"},
        {"C:\\Łódź\\東京.zintu", "", true, "東京.zintu"},
        {"D:/maps/city.zintu", "City", false, "city.zintu (cannot be used)"},
    };
    // clang-format on
    for (const auto& [path, name, usable, label] : cases)
        EXPECT_EQ(network_label(path, name, usable), label) << path << " " << name;

    const std::string path = "C:\\Łódź\\bad.zintu";
    EXPECT_EQ(network_refusal_text(path, path + ": damaged: the checksum does not match"),
              "This file cannot be used as a network:\nC:\\Łódź\\bad.zintu\n\n"
              "damaged: the checksum does not match\n\nThe network chosen before is kept.");
    // A line that does not start with the path is shown whole, even with ": " where the
    // path would end.
    EXPECT_NE(
        network_refusal_text(path, "C:\\Łódź\\old.zintu: cannot read").find("\n\nC:\\Łódź\\old"),
        std::string::npos);
}

} // namespace
} // namespace zintu
