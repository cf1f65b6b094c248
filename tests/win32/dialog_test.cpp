// The settings dialog as a user drives it, through window messages from the
// test while the dialog runs modally on a thread of its own: its radio
// buttons are the settings table's; the Network group takes a file that
// loads and shows it by name, refuses a damaged one with one message and
// keeps the choice before, and returns to the built-in network; Cancel and
// Escape save nothing, Enter saves every choice, and the next dialog opens on
// them.
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

#include <functional>
#include <string>
#include <thread>

namespace zintu::test {
namespace {

constexpr int kFileNameBox = 0x47C; // the file dialog's file-name box (cmb13)

bool wait_until(const std::function<bool()>& done) {
    for (int i = 0; i < 500; ++i) { // 10 s
        if (done()) return true;
        Sleep(20);
    }
    return false;
}

// A dialog window of this process titled `title`, once it is shown.
HWND wait_for(const wchar_t* title) {
    HWND found = nullptr;
    wait_until([&] {
        found = FindWindowW(L"#32770", title);
        DWORD process = 0;
        if (found) GetWindowThreadProcessId(found, &process);
        return found && process == GetCurrentProcessId() && IsWindowVisible(found);
    });
    return found;
}

std::string text_of(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return narrow(text);
}

std::string item_text(HWND dialog, int id) {
    return text_of(GetDlgItem(dialog, id));
}

bool checked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void click(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void press(HWND dialog, WPARAM key) {
    PostMessageW(dialog, WM_KEYDOWN, key, 0);
}

// The dialog as configure mode shows it, on a thread of its own.
class DialogRun {
public:
    DialogRun() : thread_([this] { result_ = show_configure_dialog(nullptr); }) {
        dialog_ = wait_for(L"Zintu Screensaver Settings");
    }
    ~DialogRun() {
        if (!thread_.joinable()) return;
        EndDialog(dialog_, -1); // a failed check left it open
        thread_.join();
    }
    HWND dialog() const { return dialog_; }
    int result() {
        thread_.join();
        return result_;
    }

private:
    int result_ = -1;
    HWND dialog_ = nullptr;
    std::thread thread_;
};

// "Choose…", then `path` typed into the system's file dialog and opened.
void choose_file(HWND dialog, const std::wstring& path) {
    click(dialog, IDC_CHOOSE_NETWORK);
    const HWND files = wait_for(L"Choose a network");
    ASSERT_NE(files, nullptr) << "the file dialog";
    SetDlgItemTextW(files, kFileNameBox, path.c_str());
    PostMessageW(files, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(files); }));
}

// The texts of the message box now shown, which is then closed.
std::string message_shown() {
    const HWND box = wait_for(L"Zintu");
    if (box == nullptr) return "(no message box)";
    std::string texts;
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

std::string network_bytes(std::string_view name) {
    Network network = compiled_network(); // the demo network
    network.info.name = name;
    return encode_network(network);
}

TEST(SettingsDialog, TheNetworkGroupTheChoicesAndTheWaysOut) {
    ScratchFolder scratch;
    const std::wstring settings_file = scratch.path() + L"\\Zintu\\zintu.ini";
    set_settings_location({settings_file, L""});
    win32.builtin_network_name = "New York City";
    const std::wstring city = scratch.path() + L"\\Łódź\\東京 𝕫.zintu";
    const std::wstring damaged = scratch.path() + L"\\Łódź\\damaged.zintu";
    write_bytes(city, network_bytes("Tokyo test"));
    std::string bytes = network_bytes("Damaged");
    bytes[bytes.size() / 2] ^= 1;
    write_bytes(damaged, bytes);
    const char* builtin = "New York City (built in)";
    {
        DialogRun run;
        const HWND dialog = run.dialog();
        ASSERT_NE(dialog, nullptr);
        // Every choice of the settings table is a radio button with its label.
        for (const SettingDefinition* s : {&kSpeedSetting, &kZoomSetting})
            for (const SettingChoice& c : {s->default_choice, s->other}) {
                std::string label = item_text(dialog, c.dialog_control);
                std::erase(label, '&');
                EXPECT_EQ(label, c.label);
            }
        for (const ColourChoice& c : kColourChoices) {
            std::string label = item_text(dialog, c.dialog_control);
            std::erase(label, '&');
            EXPECT_EQ(label, c.label);
        }
        // No file yet: the defaults.
        EXPECT_TRUE(checked(dialog, kSpeedSetting.default_choice.dialog_control) &&
                    checked(dialog, kZoomSetting.default_choice.dialog_control) &&
                    checked(dialog, kColourChoices[0].dialog_control));
        EXPECT_EQ(item_text(dialog, IDC_NETWORK_NAME), builtin);

        choose_file(dialog, damaged);
        const std::string message = message_shown();
        EXPECT_NE(message.find(narrow(damaged)), std::string::npos) << message;
        EXPECT_NE(message.find("checksum does not match"), std::string::npos) << message;
        EXPECT_EQ(item_text(dialog, IDC_NETWORK_NAME), builtin) << "the choice before stays";

        choose_file(dialog, city);
        EXPECT_TRUE(wait_until([&] { return item_text(dialog, IDC_NETWORK_NAME) == "Tokyo test"; }))
            << item_text(dialog, IDC_NETWORK_NAME);
        EXPECT_EQ(item_text(dialog, IDC_NETWORK_PATH), narrow(city));
        click(dialog, IDC_BUILTIN_NETWORK);
        EXPECT_TRUE(wait_until([&] { return item_text(dialog, IDC_NETWORK_NAME) == builtin; }));

        choose_file(dialog, city);
        click(dialog, kSpeedSetting.other.dialog_control);
        click(dialog, IDCANCEL);
        EXPECT_EQ(run.result(), 0);
        EXPECT_EQ(GetFileAttributesW(settings_file.c_str()), INVALID_FILE_ATTRIBUTES)
            << "Cancel saves nothing";
    }
    {
        DialogRun run;
        const HWND dialog = run.dialog();
        EXPECT_EQ(item_text(dialog, IDC_NETWORK_NAME), builtin) << "nothing was saved";
        choose_file(dialog, city);
        click(dialog, kSpeedSetting.other.dialog_control);
        click(dialog, kZoomSetting.other.dialog_control);
        PostMessageW(dialog, WM_SYSCHAR, 'l', 0); // Alt+L: "Line colours"
        EXPECT_TRUE(wait_until([&] { return checked(dialog, kColourChoices[1].dialog_control); }));
        press(dialog, VK_RETURN);
        EXPECT_EQ(run.result(), 1);
        const Settings saved = read_settings_file(settings_file);
        EXPECT_EQ(saved.speed_mode, SpeedMode::Fast);
        EXPECT_TRUE(saved.downtown);
        EXPECT_EQ(saved.network, narrow(city));
        EXPECT_EQ(saved.colours, ColourScheme::Lines);
    }
    const std::string saved_bytes = read_bytes(settings_file);
    {
        DialogRun run;
        const HWND dialog = run.dialog();
        EXPECT_TRUE(checked(dialog, kSpeedSetting.other.dialog_control) &&
                    checked(dialog, kZoomSetting.other.dialog_control) &&
                    checked(dialog, kColourChoices[1].dialog_control));
        EXPECT_EQ(item_text(dialog, IDC_NETWORK_NAME), "Tokyo test");
        click(dialog, IDC_BUILTIN_NETWORK);
        press(dialog, VK_ESCAPE);
        EXPECT_EQ(run.result(), 0);
        EXPECT_EQ(read_bytes(settings_file), saved_bytes) << "Escape saves nothing";
    }
    set_settings_location(system_settings_location());
}

} // namespace
} // namespace zintu::test
