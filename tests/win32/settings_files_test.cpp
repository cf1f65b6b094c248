// The settings file on Windows beyond what the dialog's end-to-end run shows
// (the per-user file, the Windows folder's as fallback): a missing
// application data folder is a failed write, and a network path is read
// whole. Also the name Windows lists the saver under.
#include "app/settings.h"
#include "host/win32_resources.h"
#include "host/win32_settings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace zintu::test {
namespace {

TEST(SettingsFiles, NoApplicationDataFolderFailsAndPathsAreReadWhole) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    const std::string file = temp + std::to_string(GetTickCount64()) + "-zintu.ini";
    DWORD error = 0;
    EXPECT_FALSE(write_settings({"", file}, Settings{}, error));
    EXPECT_NE(error, 0u);
    // Past the choices' 99 characters.
    const std::string path = "C:\\" + std::string(250, 'n') + "\\city.zintu";
    WritePrivateProfileStringA("zintu", "network", path.c_str(), file.c_str());
    set_settings_location({file, file});
    EXPECT_EQ(read_win32_settings().network, path);
    DeleteFileA(file.c_str());
}

TEST(Resources, TheSaverIsListedAsZintu) {
    char text[64] = {};
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), IDS_DESCRIPTION, text, sizeof(text)), 5);
    EXPECT_STREQ(text, "Zintu");
}

} // namespace
} // namespace zintu::test
