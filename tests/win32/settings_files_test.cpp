// The settings file on Windows: the per-user file with the Windows folder as
// fallback, read whole, and the name Windows lists the saver under. Which
// texts select which setting is tested natively; the dialog that writes the
// file is the end-to-end test's.
#include "app/settings.h"
#include "host/win32_resources.h"
#include "host/win32_settings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace zintu::test {
namespace {

TEST(SettingsFiles, PerUserFileWithTheWindowsFolderAsFallback) {
    char appdata[MAX_PATH] = {};
    GetEnvironmentVariableA("APPDATA", appdata, sizeof(appdata));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof(windows));
    const SettingsLocation system = system_settings_location();
    EXPECT_EQ(system.user_file, std::string(appdata) + "\\Zintu\\zintu.ini");
    EXPECT_EQ(system.fallback_file, std::string(windows) + "\\zintu.ini");

    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    const std::string base = temp + std::to_string(GetTickCount64());
    const SettingsLocation location{base + "\\appdata\\Zintu\\zintu.ini", base + "-zintu.ini"};
    set_settings_location(location);
    WritePrivateProfileStringA("zintu", "mode", "fastmode", location.fallback_file.c_str());
    EXPECT_EQ(read_win32_settings().speed_mode, SpeedMode::Fast) << "the fallback is read";
    DWORD error = 0;
    ASSERT_TRUE(write_settings(location, Settings{SpeedMode::RealTime, true, {}}, error)) << error;
    EXPECT_EQ(read_win32_settings().speed_mode, SpeedMode::RealTime) << "the folder was made";
    EXPECT_FALSE(write_settings({"", location.fallback_file}, Settings{}, error)) << "no APPDATA";
    // The network path is read whole, past the choices' 99 characters.
    const std::string path = "C:\\" + std::string(250, 'n') + "\\city.zintu";
    WritePrivateProfileStringA("zintu", "network", path.c_str(), location.user_file.c_str());
    EXPECT_EQ(read_win32_settings().network, path);
}

TEST(Resources, TheSaverIsListedAsZintu) {
    char text[64] = {};
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), IDS_DESCRIPTION, text, sizeof(text)), 5);
    EXPECT_STREQ(text, "Zintu");
}

} // namespace
} // namespace zintu::test
