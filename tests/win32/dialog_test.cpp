// The settings file and the configuration dialog: where the file is read and
// written, what the dialog shows and writes, that it only closes on OK, its
// owner, and the name Windows lists the saver under. Which texts select which setting,
// and the failure message's wording and obstacle, are tested natively.
#include "app/settings.h"
#include "host/win32_modes.h"
#include "host/win32_resources.h"
#include "host/win32_settings.h"
#include "saver_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace zintu::test {
namespace {

std::string read_raw(const std::string& file, const char* key) {
    char value[100] = {};
    GetPrivateProfileStringA("zintu", key, "<missing>", value, sizeof(value), file.c_str());
    return value;
}

void write_raw(const std::string& file, const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, file.c_str());
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string base = scratch_folder() + "\\" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA((base + "\\windows").c_str(), nullptr);
        location.user_file = base + "\\appdata\\Zintu\\zintu.ini";
        location.fallback_file = base + "\\windows\\zintu.ini";
        set_settings_location(location);
    }
    SettingsLocation location;
};

using SettingsFiles = SettingsTest;

TEST_F(SettingsFiles, PerUserFileWithTheWindowsDirectoryAsFallback) {
    const SettingsLocation system = system_settings_location();
    char appdata[MAX_PATH] = {};
    GetEnvironmentVariableA("APPDATA", appdata, sizeof(appdata));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof(windows));
    EXPECT_EQ(system.user_file, std::string(appdata) + "\\Zintu\\zintu.ini");
    EXPECT_EQ(system.fallback_file, std::string(windows) + "\\zintu.ini");

    EXPECT_EQ(read_win32_settings().speed_mode, SpeedMode::RealTime) << "no file: the defaults";
    // Read from the fallback while there is no per-user file.
    write_raw(location.fallback_file, "zintu", "mode", "fastmode");
    write_raw(location.fallback_file, "zintu", "zoomlevel", "downtown");
    EXPECT_EQ(settings_file_to_read(location), location.fallback_file);
    Settings settings = read_win32_settings();
    EXPECT_EQ(settings.speed_mode, SpeedMode::Fast);
    EXPECT_TRUE(settings.downtown);

    DWORD error = 0;
    ASSERT_TRUE(write_settings(location, Settings{SpeedMode::RealTime, true, {}}, error)) << error;
    EXPECT_EQ(read_raw(location.user_file, "mode"), "realtime") << "the folder was made";
    EXPECT_EQ(settings_file_to_read(location), location.user_file);
    settings = read_win32_settings();
    EXPECT_EQ(settings.speed_mode, SpeedMode::RealTime) << "the per-user file wins";
    EXPECT_TRUE(settings.downtown);
    EXPECT_EQ(read_raw(location.fallback_file, "mode"), "fastmode") << "the fallback is left alone";
    error = 0;
    EXPECT_FALSE(write_settings({"", location.fallback_file}, Settings{}, error)) << "no APPDATA";
    EXPECT_NE(error, 0u);

    // The network path is read whole, past the choices' 99 characters, and
    // the dialog's save keeps it.
    const std::string path = "C:\\" + std::string(250, 'n') + "\\city.zintu";
    write_raw(location.user_file, "zintu", "network", path.c_str());
    ASSERT_TRUE(write_settings(location, Settings{SpeedMode::Fast, true, {}}, error)) << error;
    EXPECT_EQ(read_win32_settings().network, path);
}

TEST(Resources, TheSaverIsListedAsZintu) {
    char text[64] = {};
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), IDS_DESCRIPTION, text, sizeof(text)), 5);
    EXPECT_STREQ(text, "Zintu");
}

// Dialog helpers: the running dialog and its buttons.
HWND find_dialog() {
    return FindWindowA("#32770", "Zintu Screensaver Settings");
}
bool checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
void click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

using SettingsDialog = SettingsTest;

// Runs the dialog as the command line `arguments` starts it, with `choose` as
// the user, then presses Escape and the close button, which must leave it
// open, and Enter; true when it ended with OK.
// Controls: 1000 Real Time, 1001 Fast Mode, 1002 Full Network, 1003 Downtown.
bool run_dialog(const std::string& arguments, const std::function<void(HWND)>& choose) {
    HWND dialog = nullptr;
    TimerScript script({
        [&] { return (dialog = find_dialog()) != nullptr; },
        [&] {
            choose(dialog);
            // Posted, so no step waits inside them.
            PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
            return true;
        },
    });
    return run_saver_mode(arguments.c_str()) == 1 && script.finished();
}

std::string handle_text(HWND window) {
    return std::to_string(static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
}

TEST_F(SettingsDialog, OpensOnTheStoredChoicesAndOkWritesTheNewOnes) {
    write_raw(location.fallback_file, "zintu", "mode", "fastmode");
    write_raw(location.fallback_file, "zintu", "zoomlevel", "downtown");
    ASSERT_TRUE(run_dialog("/c", [](HWND dialog) {
        EXPECT_TRUE(checked(dialog, 1001) && checked(dialog, 1003));
        EXPECT_FALSE(checked(dialog, 1000) || checked(dialog, 1002));
        click(dialog, 1000);
        click(dialog, 1002);
        EXPECT_FALSE(checked(dialog, 1001) || checked(dialog, 1003)) << "one per group";
    }));
    EXPECT_EQ(read_raw(location.user_file, "mode"), "realtime");
    EXPECT_EQ(read_raw(location.user_file, "zoomlevel"), "fullnetwork");
}

// Owned by the window a "/c:" names, else by the foreground window; without
// arguments, by none.
TEST_F(SettingsDialog, OwnedByTheNamedWindowOrTheForegroundWindow) {
    HWND named = create_parent_window(80, 80);
    HWND foreground = create_parent_window(100, 100);
    const std::pair<std::string, HWND> cases[] = {
        {"/c:" + handle_text(named), named},
        {"/c " + handle_text(named), foreground},
        {"", nullptr},
    };
    for (const auto& [arguments, owner] : cases) {
        SetForegroundWindow(foreground); // the last dialog's owner took it
        EXPECT_TRUE(run_dialog(arguments, [&owner](HWND dialog) {
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
        })) << arguments;
    }
    DestroyWindow(named);
    DestroyWindow(foreground);
}

TEST_F(SettingsDialog, AFailedWriteNamesWhatIsInTheWayAndTheDialogStaysOpen) {
    // A file named Zintu where the settings folder must be.
    const std::string appdata = scratch_folder() + "\\blocked-appdata";
    CreateDirectoryA(appdata.c_str(), nullptr);
    const std::string blocker = appdata + "\\Zintu";
    write_raw(blocker, "x", "y", "z");
    set_settings_location({blocker + "\\zintu.ini", location.fallback_file});
    HWND dialog = nullptr;
    HWND message_box = nullptr;
    std::string message;
    TimerScript script({
        [&] { return (dialog = find_dialog()) != nullptr; },
        [&] {
            click(dialog, 1003);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            message_box = FindWindowA("#32770", "Zintu");
            if (message_box == nullptr) return false;
            char text[512] = {};
            GetDlgItemTextA(message_box, 0xFFFF, text, sizeof(text)); // the static text
            message = text;
            PostMessageA(message_box, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            if (IsWindow(message_box)) return false;
            EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
            EXPECT_TRUE(checked(dialog, 1003)) << "with the choices kept";
            EndDialog(dialog, 7);
            return true;
        },
    });
    EXPECT_EQ(show_configure_dialog(nullptr), 7);
    EXPECT_NE(message.find("\n" + blocker + "\n"), std::string::npos) << message;
}

} // namespace
} // namespace zintu::test
