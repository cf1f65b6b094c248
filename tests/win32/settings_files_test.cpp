// The settings file on Windows beyond what the dialog's runs show: a file an
// earlier version wrote (ANSI, CRLF, keys in any case) is still read, and the
// first save makes it UTF-16 with every key it had, so that a path in any
// script round-trips; a missing application-data folder is a failed write.
// Also what the program tells Windows about itself: the name it is listed
// under, its version record and its manifest.
#include "app/settings.h"
#include "host/win32_resources.h"
#include "host/win32_settings.h"
#include "host/win32_text.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace zintu::test {
namespace {

TEST(SettingsFiles, AnEarlierVersionsFileIsReadAndKeptWholeAsAnyPathIsSaved) {
    if (GetACP() != 1252) GTEST_SKIP() << "the earlier file below is in Windows-1252";
    ScratchFolder scratch;
    const std::wstring file = scratch.path() + L"\\Zintu\\zintu.ini";
    write_bytes(file, "[Other]\r\nkey=1\r\n[ZINTU]\r\nMode=fastmode\r\nZOOMLEVEL=downtown\r\n"
                      "Network=C:\\caf\xE9\\city.zintu\r\nnote=\xE9t\xE9\r\n");
    Settings settings = read_settings_file(file);
    EXPECT_EQ(settings.speed_mode, SpeedMode::Fast);
    EXPECT_TRUE(settings.downtown);
    EXPECT_EQ(settings.network, "C:\\café\\city.zintu");
    EXPECT_EQ(settings.colours, ColourScheme::Auto);

    // Past the choices' 99 characters, in three scripts and beyond 16 bits.
    settings.network = "C:\\Łódź\\" + std::string(120, 'n') + "\\東京 𝕫.zintu";
    settings.colours = ColourScheme::Lines;
    DWORD error = 0;
    ASSERT_TRUE(write_settings({file, L""}, settings, error)) << error;
    const std::string bytes = read_bytes(file);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << "UTF-16LE with its mark";
    EXPECT_EQ(utf16le_text(bytes), "[Other]\r\nkey=1\r\n[ZINTU]\r\nMode=fastmode\r\n"
                                   "ZOOMLEVEL=downtown\r\nNetwork=" +
                                       settings.network + "\r\nnote=été\r\ncolours=lines\r\n");
    const Settings again = read_settings_file(file);
    EXPECT_EQ(again.network, settings.network);
    EXPECT_EQ(again.colours, ColourScheme::Lines);
    EXPECT_EQ(again.speed_mode, SpeedMode::Fast);

    EXPECT_FALSE(write_settings({L"", file}, Settings{}, error)) << "no application-data folder";
    EXPECT_NE(error, 0u);
}

std::string version_value(const std::string& block, const wchar_t* name) {
    UINT length = 0;
    wchar_t* value = nullptr;
    const std::wstring path = L"\\StringFileInfo\\040904B0\\" + std::wstring(name);
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
        return "(none)";
    return narrow(std::wstring(value, length > 0 ? length - 1 : 0));
}

TEST(Resources, TheProgramDescribesItselfToWindows) {
    const HMODULE module = GetModuleHandleW(nullptr);
    wchar_t text[64] = {};
    EXPECT_EQ(LoadStringW(module, IDS_DESCRIPTION, text, 64), 5);
    EXPECT_STREQ(text, L"Zintu") << "the name the screen-saver list shows";

    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(module, self, MAX_PATH);
    std::string block(GetFileVersionInfoSizeW(self, nullptr), '\0');
    ASSERT_TRUE(GetFileVersionInfoW(self, 0, static_cast<DWORD>(block.size()), block.data()));
    EXPECT_EQ(version_value(block, L"FileDescription"), "Zintu");
    EXPECT_EQ(version_value(block, L"ProductName"), "Zintu");
    EXPECT_EQ(version_value(block, L"FileVersion"), ZINTU_VERSION);
    EXPECT_EQ(version_value(block, L"ProductVersion"), ZINTU_VERSION);
    const std::string copyright = version_value(block, L"LegalCopyright"); // packaging/copyright's
    EXPECT_TRUE(copyright.starts_with("Copyright © ") && copyright.ends_with("Zintu developers"))
        << copyright;

    // The loader read the manifest: the process draws for each monitor's DPI.
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
              DPI_AWARENESS_PER_MONITOR_AWARE);
}

} // namespace
} // namespace zintu::test
