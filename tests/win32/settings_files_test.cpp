// The settings file on Windows: an earlier version's ANSI file is read, and
// saved as UTF-16 so that a path in any script round-trips. Also the name
// Windows lists the saver under, and its manifest at work.
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
    const ScratchFolder scratch;
    const std::wstring file = scratch.path / L"Zintu" / L"zintu.ini";
    write_bytes(file, "[Other]\r\nkey=1\r\n[ZINTU]\r\nMode=fastmode\r\nZOOMLEVEL=downtown\r\n"
                      "Network=C:\\caf\xE9\\city.zintu\r\nnote=\xE9t\xE9\r\n");
    Settings settings = read_settings_file(file);
    EXPECT_EQ(settings.speed_mode, SpeedMode::Fast);
    EXPECT_TRUE(settings.downtown);
    EXPECT_EQ(settings.network, "C:\\café\\city.zintu");
    EXPECT_EQ(settings.colours, ColourScheme::Auto);
    EXPECT_EQ(settings.monitors, MonitorLayout::Each);

    // Past the choices' 99 characters, in three scripts and beyond 16 bits.
    settings.network = "C:\\Łódź\\" + std::string(120, 'n') + "\\東京 𝕫.zintu";
    settings.colours = ColourScheme::Lines;
    settings.monitors = MonitorLayout::Span;
    DWORD error = 0;
    ASSERT_TRUE(write_settings({file, L""}, settings, error)) << error;
    const std::string bytes = read_bytes(file);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << "UTF-16LE with its mark";
    const std::wstring_view units(reinterpret_cast<const wchar_t*>(bytes.data() + 2),
                                  (bytes.size() - 2) / 2);
    EXPECT_EQ(narrow(units), "[Other]\r\nkey=1\r\n[ZINTU]\r\nMode=fastmode\r\n"
                             "ZOOMLEVEL=downtown\r\nNetwork=" +
                                 settings.network +
                                 "\r\nnote=été\r\ncolours=lines\r\nmonitors=span\r\n");
    const Settings again = read_settings_file(file);
    EXPECT_EQ(again.network, settings.network);
    EXPECT_EQ(again.colours, ColourScheme::Lines);
    EXPECT_EQ(again.speed_mode, SpeedMode::Fast);
    EXPECT_EQ(again.monitors, MonitorLayout::Span);

    EXPECT_FALSE(write_settings({L"", file}, Settings{}, error)) << "no application-data folder";
    EXPECT_NE(error, 0u);
}

TEST(Resources, TheProgramDescribesItselfToWindows) {
    wchar_t text[64] = {};
    EXPECT_EQ(LoadStringW(GetModuleHandleW(nullptr), IDS_DESCRIPTION, text, 64), 5);
    EXPECT_STREQ(text, L"Zintu") << "the name the screen-saver list shows";
    // The loader read the manifest: the process draws for each monitor's DPI.
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
              DPI_AWARENESS_PER_MONITOR_AWARE);
}

} // namespace
} // namespace zintu::test
