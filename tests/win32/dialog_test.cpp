// The settings dialog as a user drives it, through window messages from the
// test while the dialog runs modally on a thread of its own.
#include "app/settings.h"
#include "host/win32_modes.h"
#include "host/win32_resources.h"
#include "host/win32_settings.h"
#include "host/win32_state.h"
#include "host/win32_text.h"
#include "network/network_file.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace zintu::test {
namespace {

bool wait_until(const std::function<bool()>& done) {
    for (int i = 0; i < 500; ++i, Sleep(20)) // 10 s
        if (done()) return true;
    return false;
}

// The shown dialog window of this process titled `title`, or null.
HWND wait_for(const wchar_t* title) {
    HWND found = nullptr;
    DWORD process = 0;
    wait_until([&] {
        found = FindWindowW(L"#32770", title);
        return found && GetWindowThreadProcessId(found, &process) &&
               process == GetCurrentProcessId() && IsWindowVisible(found);
    });
    return found;
}

std::string text_of(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return narrow(text);
}

// The texts of the message box now shown, which is then closed.
std::string message_shown() {
    const HWND box = wait_for(L"Zintu");
    std::string texts = box ? "" : "(no message box)";
    EnumChildWindows(
        box,
        [](HWND child, LPARAM all) {
            *reinterpret_cast<std::string*>(all) += text_of(child) + "|";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    wait_until([&] { return !IsWindow(box); });
    return texts;
}

TEST(SettingsDialog, TheNetworkGroupTheChoicesAndTheWaysOut) {
    const ScratchFolder scratch;
    const std::wstring settings_file = scratch.path / L"Zintu" / L"zintu.ini";
    const std::wstring fallback = scratch.path / L"windows.ini";
    const std::wstring city = scratch.path / L"Łódź" / L"東京 𝕫.zintu";
    const std::wstring damaged = scratch.path / L"Łódź" / L"damaged.zintu";
    write_bytes(fallback, "[zintu]\r\nmode=fastmode\r\nmonitors=span\r\n");
    set_settings_location({settings_file, fallback});
    win32.builtin_network_name = "New York City";
    Network network = compiled_network(); // the demo network
    network.info.name = "Tokyo test";
    std::string bytes = encode_network(network);
    write_bytes(city, bytes);
    bytes[bytes.size() / 2] ^= 1;
    write_bytes(damaged, bytes);

    std::atomic<int> result = -1;
    HWND dialog = nullptr;
    const auto item = [&](int id) { return text_of(GetDlgItem(dialog, id)); };
    const auto checked = [&](int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; };
    const auto click = [&](int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); };
    const auto shows = [&](const std::string& name) {
        return wait_until([&] { return item(IDC_NETWORK_NAME) == name; });
    };
    // "Choose…", then `path` typed into the system's file dialog and opened.
    const auto choose = [&](const std::wstring& path) {
        click(IDC_CHOOSE_NETWORK);
        const HWND files = wait_for(L"Choose a network");
        SetDlgItemTextW(files, 0x47C, path.c_str()); // the file name's box
        PostMessageW(files, WM_COMMAND, IDOK, 0);
        wait_until([&] { return !IsWindow(files); });
    };
    // The dialog as configure mode shows it, on a thread that ends with it.
    const auto open = [&] {
        result = -1;
        std::thread([&] { result = show_configure_dialog(nullptr); }).detach();
        dialog = wait_for(L"Zintu Screensaver Settings");
    };
    const auto ended = [&] { return wait_until([&] { return result != -1; }); };

    open();
    ASSERT_NE(dialog, nullptr);
    const auto label_is = [&](int id, const char* label) {
        std::string text = item(id);
        std::erase(text, '&');
        EXPECT_EQ(text, label) << id;
    };
    for (const SettingDefinition* s : {&kSpeedSetting, &kZoomSetting})
        for (const SettingChoice& c : {s->default_choice, s->other})
            label_is(c.dialog_control, c.label);
    for (const ColourChoice& c : kColourChoices)
        label_is(c.dialog_control, c.label);
    // Fast Mode and one map across the monitors from the Windows folder's
    // file; Full Network and Automatic by default.
    EXPECT_TRUE(checked(1001) && checked(1002) && checked(1010) && !checked(IDC_EACH_MONITOR));
    EXPECT_EQ(item(IDC_NETWORK_NAME), "New York City (built in)");

    choose(damaged);
    const std::string message = message_shown();
    EXPECT_NE(message.find(narrow(damaged) + "\n\ndamaged: the checksum does not match"),
              std::string::npos)
        << message;
    EXPECT_EQ(item(IDC_NETWORK_NAME), "New York City (built in)") << "the choice before stays";
    choose(city);
    EXPECT_TRUE(shows("Tokyo test"));
    EXPECT_EQ(item(IDC_NETWORK_PATH), narrow(city));
    click(IDC_BUILTIN_NETWORK);
    EXPECT_TRUE(shows("New York City (built in)"));
    choose(city);
    click(kSpeedSetting.default_choice.dialog_control);
    click(IDCANCEL);
    EXPECT_TRUE(ended());
    EXPECT_EQ(result, 0);
    EXPECT_EQ(GetFileAttributesW(settings_file.c_str()), INVALID_FILE_ATTRIBUTES)
        << "Cancel saves nothing";

    open();
    EXPECT_EQ(item(IDC_NETWORK_NAME), "New York City (built in)") << "nothing was saved";
    choose(city);
    EXPECT_TRUE(shows("Tokyo test"));
    // Downtown, Line colours, a map on each monitor; Fast Mode as the file says
    for (const int id : {1003, 1011, IDC_EACH_MONITOR})
        click(id);
    PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(ended());
    EXPECT_EQ(result, 1);
    const Settings saved = read_settings_file(settings_file);
    EXPECT_TRUE(saved.speed_mode == SpeedMode::Fast && saved.downtown &&
                saved.colours == ColourScheme::Lines && saved.monitors == MonitorLayout::Each);
    EXPECT_EQ(saved.network, narrow(city));
    set_settings_location(system_settings_location());
}

} // namespace
} // namespace zintu::test
