// The savers' pure decisions: closing input, verification grace, frame deadlines,
// the X target window, lost-window errors and GLX config; the Windows saver's
// command line, message handling, failed-save text and settings text.
#include "app/saver_rules.h"
#include "host/glx_config.h"
#include "host/linux_saver_rules.h"
#include "host/win32_close_rules.h"
#include "host/win32_network_group.h"
#include "host/win32_save_failure.h"
#include "host/win32_saver_args.h"
#include "host/win32_settings_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace zintu {
namespace {

TEST(MouseMove, ClosesOnlyBeyondFourPixelsFromTheReference) {
    // clang-format off
    const std::tuple<ScreenPoint, ScreenPoint, bool> cases[] = {
        {{100, 100}, {96, 100}, false},  {{100, 100}, {95, 100}, true}, // one axis
        {{100, 100}, {98, 98}, false},   {{100, 100}, {98, 97}, true},  // 2 + 2, 2 + 3
        {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, true}, // no overflow
        {{INT32_MAX, 0}, {INT32_MAX - 4, 0}, false},
    };
    // clang-format on
    for (const auto& [saved, now, closes] : cases)
        EXPECT_EQ(mouse_move_closes(saved, now), closes) << now.x << "," << now.y;
}

TEST(VerifyGrace, FollowsTheLastVerificationAcrossTheWrap) {
    // clang-format off
    const std::tuple<uint32_t, uint32_t, bool> cases[] = { // now, last end, refused
        {1000, kNeverVerified, false}, {1000, 1000, true}, {1199, 1000, true}, {1200, 1000, false},
        {50, 0xFFFFFFF0u, true}, {300, 0xFFFFFFF0u, false}, // 66 and 316 ms across the wrap
        {999, 1000, false}, // a clock that went back counts as long ago
    };
    // clang-format on
    for (const auto& [now, last_end, refused] : cases)
        EXPECT_EQ(within_verify_grace(now, last_end), refused) << now << " " << last_end;
}

TEST(SaverEvents, InputClosesOnlyTheSaversOwnWindow) {
    const ScreenPoint saved{10, 10}, far{20, 10}, near{12, 11};
    using enum SaverEvent;
    const std::tuple<SaverEvent, ScreenPoint, bool, bool> cases[] = {
        // own, adopted window closes
        {KeyDown, saved, true, false},      {ButtonDown, saved, true, false},
        {PointerMoved, far, true, false},   {PointerMoved, near, false, false},
        {CloseRequest, saved, true, false}, {WindowDestroyed, saved, true, true},
        {Signal, saved, true, true},        {Other, far, false, false},
        {Exposed, far, false, false},       {Obscured, far, false, false},
        {Revealed, far, false, false},
    };
    for (const auto& [event, pointer, own, adopted] : cases) {
        EXPECT_EQ(saver_event_closes(event, true, saved, pointer), own) << int(event);
        EXPECT_EQ(saver_event_closes(event, false, saved, pointer), adopted) << int(event);
    }
}

TEST(FrameTimer, LateTicksComeOnceAndTheGridHolds) {
    const std::tuple<int64_t, int64_t, int64_t> cases[] = {
        // deadline, fired, next
        {100, 100, 110},   {100, 103, 110}, // on time; a little late, the grid keeps its phase
        {100, 109, 110},   {100, 110, 120}, // started a period late: the tick of 110 is this one
        {100, 1000, 1010},                  // 90 grid points passed: still one tick, then on
        {100, 95, 110},                     // early wake-ups never shorten the period
    };
    for (const auto& [deadline, fired, next] : cases)
        EXPECT_EQ(next_frame_deadline(deadline, fired, 10), next) << deadline << " " << fired;
}

TEST(SaverTarget, CommandLineAndXScreenSaverWindow) {
    using enum WindowTarget;
    // clang-format off
    const std::tuple<WindowTarget, uint32_t, const char*, WindowTarget, uint32_t, bool> cases[] = {
        // requested, id, $XSCREENSAVER_WINDOW; chosen, window, error
        {Desktop, 0, nullptr, Desktop, 0, false},        {Desktop, 0, "", Desktop, 0, false},
        {Desktop, 0, "0x400007", Root, 0x400007, false}, {Root, 0, nullptr, Root, 0, false},
        {Root, 0, "4194311", Root, 4194311, false},      {Root, 0, "junk", Root, 0, true},
        {Root, 0, "0", Root, 0, true},                   {WindowId, 77, "0x0", WindowId, 77, false},
        {FullScreen, 0, "junk", FullScreen, 0, false},
    };
    // clang-format on
    for (const auto& [requested, id, env, kind, window, error] : cases) {
        const SaverTarget t = choose_saver_target(requested, id, env);
        const std::string what = std::to_string(int(requested)) + " " + (env ? env : "(unset)");
        EXPECT_EQ(t.error.empty(), !error) << what << ": " << t.error;
        if (error) continue;
        EXPECT_EQ(std::tie(t.kind, t.window_id), std::tie(kind, window)) << what;
    }
    EXPECT_EQ(std::make_tuple(owns_window(Desktop), owns_window(FullScreen), owns_window(Root),
                              owns_window(WindowId)),
              std::make_tuple(true, true, false, false));
}

TEST(XErrors, LostWindowErrors) {
    // Error codes as the X and GLX protocols number them, GLX's from a base.
    // clang-format off
    const std::tuple<int, int, bool> cases[] = {
        {3 /* BadWindow */, 160, true},           {9 /* BadDrawable */, 160, true},
        {8 /* BadMatch */, 160, false},           {10 /* BadAccess */, 160, false},
        {160 + 2 /* GLXBadDrawable */, 160, true}, {160 + 5 /* GLXBadCurrentWindow */, 160, true},
        {160 + 11 /* GLXBadCurrentDrawable */, 160, true}, {160 + 12 /* GLXBadWindow */, 160, true},
        {160 + 0 /* GLXBadContext */, 160, false}, {160 + 2, -1 /* no GLX */, false},
    };
    // clang-format on
    for (const auto& [code, base, lost] : cases)
        EXPECT_EQ(is_lost_window_error(code, base), lost) << code;
}

// Double-buffered RGB888 for windows with the given buffers, then `change`.
GlxConfigTraits config(int depth, int alpha = 0, int stencil = 0, uint32_t visual = 0x21,
                       void (*change)(GlxConfigTraits&) = nullptr) {
    GlxConfigTraits t;
    t.rgba = t.window = t.double_buffer = true;
    t.red = t.green = t.blue = 8;
    std::tie(t.alpha, t.depth, t.stencil, t.visual_id) = std::tie(alpha, depth, stencil, visual);
    if (change) change(t);
    return t;
}

GlxConfigTraits changed(void (*change)(GlxConfigTraits&)) {
    return config(16, 0, 0, 0x21, change);
}

TEST(GlxConfig, NearestToDoubleBufferedRgb24WithDepth16) {
    using T = GlxConfigTraits;
    // clang-format off
    const std::tuple<const char*, std::vector<GlxConfigTraits>, uint32_t, int> cases[] = {
        {"none", {}, 0, -1},
        {"the exact request", {config(24, 8, 8), config(24), config(16), config(0)}, 0, 2},
        {"depth 24 over none", {config(0), config(24)}, 0, 1},
        {"no alpha and stencil before the depth's size", {config(16, 8, 8), config(24)}, 0, 1},
        {"single-buffered, pixmap-only, visual-less never",
         {changed([](T& t) { t.double_buffer = false; }), changed([](T& t) { t.window = false; }),
          config(16, 0, 0, 0)}, 0, -1},
        {"a slow config last", {changed([](T& t) { t.slow = true; }), config(24, 8, 8)}, 0, 1},
        {"no accumulation buffer", {changed([](T& t) { t.accum = 64; }), config(24)}, 0, 1},
        {"8 bits a channel over 5-6-5",
         {changed([](T& t) { t.red = t.blue = 5, t.green = 6; }), config(24, 8)}, 0, 1},
        {"24 colour bits over 30",
         {changed([](T& t) { t.red = t.green = t.blue = 10; }), config(16)}, 0, 1},
        {"the window's visual only", {config(16, 0, 0, 0x21), config(24, 8, 8, 0x22)}, 0x22, 1},
        {"no config on the window's visual", {config(16, 0, 0, 0x21)}, 0x23, -1},
    };
    // clang-format on
    for (const auto& [what, configs, visual, chosen] : cases)
        EXPECT_EQ(choose_glx_config(configs, visual), chosen) << what;
}

TEST(SaverArguments, IsolationSkipsTheProgramPathAndTheBlanksAfterIt) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = { // command line, its arguments
        {"zintu.scr /s", "/s"}, {"\"C:\\Program Files\\Zintu\\zintu.scr\" /s", "/s"},
        {"\"C:\\Program Files\\Zintu\\zintu.scr\"/s", "/s"},
        {"\"C:\\Program Files\\zintu.scr /s", ""}, // no closing quote
        {"\"\" /c", "/c"},                         // empty quoted path
        {"zintu.scr\t/s", "/s"}, {"zintu.scr\x01/s", "/s"}, // a tab or any control byte ends it
        {"zintu.scr \t \t /c:42", "/c:42"},        // blanks and tabs skipped
        {"zintu.scr", ""}, {"zintu.scr    ", ""}, {"", ""},
        {" /s", "/s"},                             // no program name at all
        {"zin\xE9tu.scr /s", "/s"},                // bytes above 0x7F are name
        // UTF-8, as the host converts the wide command line (this file is UTF-8).
        {"\"C:\\Łódź\\東京.scr\" /p 12", "/p 12"}, {"C:\\Łódź\\𝕫.scr /c:9", "/c:9"},
    };
    // clang-format on
    for (const auto& [line, arguments] : cases)
        EXPECT_STREQ(isolate_saver_arguments(line), arguments) << line;
    EXPECT_STREQ(isolate_saver_arguments(nullptr), "");
}

TEST(SaverArguments, FirstSwitchSelectsTheMode) {
    constexpr auto Unowned = SaverMode::ConfigureUnowned, Full = SaverMode::FullScreen,
                   Configure = SaverMode::Configure, Preview = SaverMode::Preview,
                   Password = SaverMode::ChangePassword, Rejected = SaverMode::Rejected;
    // clang-format off
    const std::tuple<const char*, SaverMode, const char*> cases[] = { // handle text, or none
        {"", Unowned, nullptr}, {"  - / -//  ", Unowned, nullptr}, {"/s", Full, nullptr},
        {"-S", Full, nullptr}, {"/s5", Full, nullptr}, {"/s /c:12", Full, nullptr},
        {"/C 1234", Configure, nullptr}, {"/c:1234", Configure, "1234"}, {"/c:", Configure, ""},
        {"/p1234", Preview, "1234"}, {"/P    1234", Preview, "1234"}, {"/p:1234", Preview, ":1234"},
        {"/p", Preview, ""}, {"/p\t1234", Preview, "\t1234"}, {"-L1234 /s", Preview, "1234 /s"},
        {"/A 77", Password, "77"}, {"/a5", Password, "5"}, {"/\ts", Rejected, nullptr},
        {"/x", Rejected, nullptr}, {"/\xE9", Rejected, nullptr}, {"\x7F", Rejected, nullptr},
    };
    // clang-format on
    for (const auto& [arguments, mode, handle_text] : cases) {
        const SaverCommand command = scan_saver_switch(arguments);
        EXPECT_EQ(command.mode, mode) << arguments;
        // The handle text is the rest of the argument text, not a copy.
        const char* end = arguments + std::strlen(arguments);
        EXPECT_EQ(command.handle_text, handle_text ? end - std::strlen(handle_text) : nullptr)
            << arguments;
    }
}

TEST(SaverArguments, HandlesAreLeadingDigitsThatWrapAt32Bits) {
    // clang-format off
    const std::pair<const char*, uint32_t> cases[] = {
        {"1234", 1234u}, {"0", 0u}, {"", 0u}, {" 1234", 0u}, /* no blanks skipped here */
        {"-5", 0u}, {"12ab", 12u}, {"4294967295", 4294967295u}, {"4294967296", 0u},
        {"4294967297", 1u}, {"123456789012345678901234567890", 1312754386u},
    };
    // clang-format on
    for (const auto& [text, handle] : cases)
        EXPECT_EQ(parse_window_handle(text), handle) << text;
    EXPECT_EQ(parse_window_handle(nullptr), 0u);
}

using namespace win32_message;

constexpr uint32_t kAutoplay = 0xC123; // a registered message

enum class Form { Running, Preview, Approved, Verifying, Win95, Win95Verifier, NoAutoplay };

SaverCloseState state_of(Form form) {
    SaverCloseState s;
    s.saved_cursor_pos = {100, 100};
    s.autoplay_message = form == Form::NoAutoplay ? 0 : kAutoplay;
    s.preview_mode = form == Form::Preview;
    s.close_approved = form == Form::Approved;
    s.verifying_password = form == Form::Verifying;
    s.windows95_family = form == Form::Win95 || form == Form::Win95Verifier;
    s.verifier_loaded = form == Form::Win95Verifier;
    return s;
}

TEST(Win32CloseRules, EachMessageInEachState) {
    constexpr CloseStep D = CloseStep::Default, A = CloseStep::Answer, V = CloseStep::VerifyClose,
                        R = CloseStep::RunVerifier;
    constexpr Form Run = Form::Running, Pre = Form::Preview, Ok = Form::Approved,
                   Ver = Form::Verifying, W95 = Form::Win95;
    constexpr uint32_t kKeyUp = 0x0101;
    // The state, message, wparam, pointer; the step, its answer, and whether
    // to post a close, hide the cursor, save the pointer as the reference.
    using Case = std::tuple<const char*, Form, uint32_t, uint64_t, ScreenPoint, CloseStep, int64_t,
                            bool, bool, bool>;
    const Case cases[] = {
        {"key", Run, kKeyDown, 0x20, {}, D, 0, 1, 0, 0},
        {"left button", Run, kLButtonDown, 1, {}, D, 0, 1, 0, 0},
        {"deactivation", Run, kActivateApp, 0, {}, D, 0, 1, 0, 0},
        {"activation", Run, kActivateApp, 1, {}, D, 0, 0, 0, 0},
        {"critical resume", Run, kPower, 3, {}, D, 0, 1, 0, 0},
        {"other power event", Run, kPower, 1, {}, D, 0, 0, 0, 0},
        {"suspend", Run, kPowerBroadcast, 4, {}, D, 0, 1, 0, 0},
        {"display on or off", Run, kPowerBroadcast, kPowerSettingChange, {}, D, 0, 0, 0, 0},
        {"shown", Run, kShowWindow, 1, {}, D, 0, 0, 1, 0},
        {"hidden", Run, kShowWindow, 0, {}, D, 0, 0, 0, 0},
        {"cursor shape", Run, kSetCursor, 0, {}, A, 1, 0, 1, 0},
        {"key up", Run, kKeyUp, 0x20, {}, D, 0, 0, 0, 0},
        {"move 3 right 1 down", Run, kMouseMove, 0, {103, 101}, D, 0, 0, 0, 0},
        {"move 3 left 2 up", Run, kMouseMove, 0, {97, 98}, D, 0, 1, 0, 1},
        {"close, NT family", Run, kClose, 0, {}, D, 0, 0, 0, 0},
        {"verify request, NT family", Run, kVerifyRequest, 0, {}, D, 0, 0, 0, 0},
        {"close, 95 family", W95, kClose, 0, {}, V, 0, 0, 0, 0},
        {"verify request, 95 family", W95, kVerifyRequest, 0, {}, R, 0, 0, 0, 0},
        {"key, 95 family", W95, kKeyDown, 0x20, {}, D, 0, 1, 0, 0},
        {"preview: key", Pre, kKeyDown, 0x20, {}, D, 0, 0, 0, 0},
        {"preview: cursor shape", Pre, kSetCursor, 0, {}, D, 0, 0, 0, 0},
        {"approved: key", Ok, kKeyDown, 0x20, {}, D, 0, 0, 0, 0},
        {"verifying: key", Ver, kKeyDown, 0x20, {}, D, 0, 0, 0, 0},
        {"autoplay", Run, kAutoplay, 0, {}, A, 0, 1, 0, 0},
        {"autoplay with a verifier", Form::Win95Verifier, kAutoplay, 0, {}, A, 1, 1, 0, 0},
        {"message 0 while autoplay is unregistered", Form::NoAutoplay, 0, 0, {}, D, 0, 0, 0, 0},
    };
    for (const auto& [name, form, message, wparam, now, step, answer, post, hide, save] : cases) {
        const CloseDecision d = decide_saver_default(message, wparam, state_of(form), now);
        EXPECT_EQ(std::tie(d.step, d.answer, d.post_close, d.hide_cursor, d.save_cursor),
                  std::tie(step, answer, post, hide, save))
            << name;
    }
}

using Files = std::map<std::string, PathKind>;

TEST(SaveFailure, TheFileOrFolderInTheWay) {
    constexpr PathKind D = PathKind::Folder, F = PathKind::File;
    const std::string roaming = "C:\\users\\me\\AppData\\Roaming", zintu = roaming + "\\Zintu",
                      file = zintu + "\\zintu.ini";
    const auto with = [&](Files more) {
        more.insert(
            {{"C:\\users", D}, {"C:\\users\\me", D}, {"C:\\users\\me\\AppData", D}, {roaming, D}});
        return more;
    };
    // The file, the paths there; the one in the way, its kind.
    using Case = std::tuple<const char*, std::string, Files, std::optional<std::string>, PathKind>;
    // clang-format off
    const Case cases[] = {
        {"a file named Zintu", file, with({{zintu, F}}), zintu, F},
        {"a file higher up", file, {{"C:\\users", D}, {"C:\\users\\me", F}}, "C:\\users\\me", F},
        {"a folder named zintu.ini", file, with({{zintu, D}, {file, D}}), file, D},
        {"nothing: the folder is still to be made", file, with({}), std::nullopt, D},
        {"nothing: a read-only file", file, with({{zintu, D}, {file, F}}), std::nullopt, D},
        {"a network path's server and share are not asked about",
         "\\\\server\\share\\Zintu\\zintu.ini", {{"\\\\server\\share\\Zintu", F}},
         "\\\\server\\share\\Zintu", F},
        {"forward slashes and a doubled separator", "C:/data//Zintu/zintu.ini",
         {{"C:/data", D}, {"C:/data//Zintu", F}}, "C:/data//Zintu", F},
    };
    // clang-format on
    for (const auto& [what, path, files, in_the_way, kind] : cases) {
        std::vector<std::string> asked;
        const auto obstacle = path_in_the_way(path, [&](const std::string& p) {
            asked.push_back(p);
            const auto it = files.find(p);
            return it == files.end() ? PathKind::Missing : it->second;
        });
        EXPECT_EQ(obstacle ? std::optional(obstacle->path) : std::nullopt, in_the_way) << what;
        EXPECT_EQ(obstacle ? obstacle->kind : kind, kind) << what;
        for (const std::string& p : asked)
            EXPECT_TRUE(p.back() != ':' && p != "\\\\server\\share") << what << ": asked " << p;
    }
}

TEST(SaveFailure, TheMessageSaysWhatToDo) {
    const std::string file = "C:\\a\\Zintu\\zintu.ini",
                      head = "The settings could not be saved to\nC:\\a\\Zintu\\zintu.ini\n\n";
    EXPECT_EQ(save_failure_text(file, PathObstacle{"C:\\a\\Zintu", PathKind::File},
                                "Path not found.\r\n"),
              head + "A file is in the way: the folder\nC:\\a\\Zintu\nis needed there. "
                     "Move or rename that file, then press OK again.");
    EXPECT_EQ(save_failure_text(file, PathObstacle{file, PathKind::Folder}, ""),
              head + "A folder is in the way: the settings file\nC:\\a\\Zintu\\zintu.ini\nis "
                     "needed there. Move or rename that folder, then press OK again.");
    EXPECT_EQ(save_failure_text(file, std::nullopt, "Access denied.\r\n"),
              head + "Access denied.\r\n");
}

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
    // A line not starting with the path is shown whole, ": " or not.
    EXPECT_NE(
        network_refusal_text(path, "C:\\Łódź\\old.zintu: cannot read").find("\n\nC:\\Łódź\\old"),
        std::string::npos);
}

} // namespace
} // namespace zintu
