// The saver's resources read back from the program: the settings dialog
// template, control by control, against the settings table, and the
// description string.
#include "app/settings.h"
#include "host/win32_resources.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace zintu {
namespace {

// A reader over a classic dialog template in memory.
class TemplateReader {
public:
    explicit TemplateReader(const uint8_t* data) : at_(data), start_(data) {}
    uint16_t word() {
        uint16_t value = 0;
        std::memcpy(&value, at_, 2);
        at_ += 2;
        return value;
    }
    uint32_t dword() {
        uint32_t value = 0;
        std::memcpy(&value, at_, 4);
        at_ += 4;
        return value;
    }
    // A name or ordinal field: 0 (none), 0xFFFF + ordinal, or a wide string.
    std::string name_or_ordinal() {
        const uint16_t first = word();
        if (first == 0) return "";
        if (first == 0xFFFF) {
            std::string ordinal(1, '#');
            ordinal.append(std::to_string(word()));
            return ordinal;
        }
        std::string text(1, static_cast<char>(first));
        for (uint16_t c = word(); c != 0; c = word())
            text += static_cast<char>(c);
        return text;
    }
    std::string text() {
        std::string value;
        for (uint16_t c = word(); c != 0; c = word())
            value += static_cast<char>(c);
        return value;
    }
    void align_dword() {
        while ((at_ - start_) % 4 != 0)
            ++at_;
    }

private:
    const uint8_t* at_;
    const uint8_t* start_;
};

struct Control {
    uint32_t style, ex_style;
    int16_t x, y, cx, cy;
    uint16_t id;
    std::string window_class, text;
    uint16_t extra;
};

TEST(Resources, SettingsDialogTemplateIsTheDocumentedOne) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDD_SETTINGS), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr) << "dialog 2003";
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(data, nullptr);
    TemplateReader reader(data);
    EXPECT_EQ(reader.dword(), static_cast<uint32_t>(WS_POPUP | WS_CAPTION | WS_SYSMENU |
                                                    DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(reader.dword(), 0u) << "extended style";
    const uint16_t count = reader.word();
    EXPECT_EQ(count, 7);
    EXPECT_EQ(static_cast<int16_t>(reader.word()), 0);
    EXPECT_EQ(static_cast<int16_t>(reader.word()), 0);
    EXPECT_EQ(reader.word(), 160);
    EXPECT_EQ(reader.word(), 79);
    EXPECT_EQ(reader.name_or_ordinal(), "") << "no menu";
    EXPECT_EQ(reader.name_or_ordinal(), "") << "the default dialog class";
    EXPECT_EQ(reader.text(), "Zintu Screensaver Settings");
    EXPECT_EQ(reader.word(), 8) << "point size";
    EXPECT_EQ(reader.text(), "MS Sans Serif");

    std::vector<Control> controls;
    for (int i = 0; i < count; ++i) {
        reader.align_dword();
        Control c{};
        c.style = reader.dword();
        c.ex_style = reader.dword();
        c.x = static_cast<int16_t>(reader.word());
        c.y = static_cast<int16_t>(reader.word());
        c.cx = static_cast<int16_t>(reader.word());
        c.cy = static_cast<int16_t>(reader.word());
        c.id = reader.word();
        c.window_class = reader.name_or_ordinal();
        c.text = reader.name_or_ordinal();
        c.extra = reader.word();
        controls.push_back(c);
    }
    const uint32_t child = WS_CHILD | WS_VISIBLE;
    const Control expected[] = {
        {child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 103, 58, 50, 14, 1, "#128", "OK", 0},
        {child | WS_GROUP | BS_GROUPBOX, 0, 7, 7, 68, 45, 0xFFFF, "#128", "Speed", 0},
        {child | WS_GROUP | BS_GROUPBOX, 0, 86, 7, 67, 45, 0xFFFF, "#128", "Focus", 0},
        {child | WS_GROUP | BS_AUTORADIOBUTTON, 0, 93, 17, 51, 13,
         static_cast<uint16_t>(kZoomSetting.default_choice.dialog_control), "#128",
         kZoomSetting.default_choice.label, 0},
        {child | BS_AUTORADIOBUTTON, 0, 93, 29, 54, 15,
         static_cast<uint16_t>(kZoomSetting.other.dialog_control), "#128", kZoomSetting.other.label,
         0},
        {child | WS_GROUP | BS_AUTORADIOBUTTON, 0, 16, 31, 51, 11,
         static_cast<uint16_t>(kSpeedSetting.other.dialog_control), "#128",
         kSpeedSetting.other.label, 0},
        {child | BS_AUTORADIOBUTTON, 0, 16, 16, 50, 14,
         static_cast<uint16_t>(kSpeedSetting.default_choice.dialog_control), "#128",
         kSpeedSetting.default_choice.label, 0},
    };
    ASSERT_EQ(controls.size(), std::size(expected));
    for (size_t i = 0; i < controls.size(); ++i) {
        const Control& got = controls[i];
        const Control& want = expected[i];
        EXPECT_EQ(got.style, want.style) << "control " << i + 1;
        EXPECT_EQ(got.ex_style, want.ex_style) << "control " << i + 1;
        EXPECT_EQ(got.x, want.x) << "control " << i + 1;
        EXPECT_EQ(got.y, want.y) << "control " << i + 1;
        EXPECT_EQ(got.cx, want.cx) << "control " << i + 1;
        EXPECT_EQ(got.cy, want.cy) << "control " << i + 1;
        EXPECT_EQ(got.id, want.id) << "control " << i + 1;
        EXPECT_EQ(got.window_class, want.window_class) << "control " << i + 1 << ": button class";
        EXPECT_EQ(got.text, want.text) << "control " << i + 1;
        EXPECT_EQ(got.extra, 0) << "control " << i + 1;
    }
}

TEST(Resources, DescriptionStringAndNothingElse) {
    const HMODULE module = GetModuleHandleA(nullptr);
    char text[64] = {};
    EXPECT_EQ(LoadStringA(module, IDS_DESCRIPTION, text, sizeof(text)), 5);
    EXPECT_STREQ(text, "Zintu");
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(100), MAKEINTRESOURCEA(14)), nullptr)
        << "no icon group";
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr)
        << "no version record";
}

} // namespace
} // namespace zintu
