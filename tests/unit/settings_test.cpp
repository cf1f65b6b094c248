// Settings: INI lookup and updates that keep every other byte, which stored
// texts select which setting, the overrides, and the Linux file and --configure.
#include "app/settings.h"
#include "host/ini_text.h"
#include "host/linux_settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>

#include <pwd.h>
#include <unistd.h>

namespace zintu {
namespace {

using namespace std::string_literals;

TEST(IniValue, LookupRules) {
    const std::tuple<const char*, std::string, std::optional<std::string>> cases[] = {
        {"plain", "[zintu]\nmode=fastmode\n", "fastmode"},
        {"section in any case", "[ZinTU]\nmode=fastmode\n", "fastmode"},
        {"key in any case", "[zintu]\nMODE=fastmode\n", "fastmode"},
        {"value keeps its case", "[zintu]\nmode=FastMode\n", "FastMode"},
        {"blanks around names and value", " [ zintu ] \n\t mode \t= \tfast mode \r\n", "fast mode"},
        {"no final newline", "[zintu]\nmode=fastmode", "fastmode"},
        {"empty value", "[zintu]\nmode=\n", ""},
        {"value holds '='", "[zintu]\nmode=a=b\n", "a=b"},
        {"first key wins", "[zintu]\nmode=one\nmode=two\n", "one"},
        {"first section wins", "[zintu]\nx=1\n[zintu]\nmode=two\n", std::nullopt},
        {"key of another section", "[other]\nmode=fastmode\n[zintu]\n", std::nullopt},
        {"key before any section", "mode=fastmode\n[zintu]\n", std::nullopt},
        {"a longer key is another key", "[zintu]\nmodes=fastmode\n", std::nullopt},
        {"comment lines are not keys", "[zintu]\n;mode=fastmode\n#mode=x\n", std::nullopt},
        {"line without '=' is skipped", "[zintu]\nmode fastmode\nmode=ok\n", "ok"},
        {"broken header ends the section", "[zintu]\n[broken\nmode=fastmode\n", std::nullopt},
        {"header without ']' names a section", "[zintu\nmode=fastmode\n", "fastmode"},
        {"NUL ends the value", "[zintu]\nmode=fastmode\0junk\n"s, "fastmode"},
        {"NUL inside a key", "[zintu]\nmo\0de=fastmode\nmode=ok\n"s, "ok"},
        {"99 characters kept", "[zintu]\nmode=" + std::string(99, 'a') + "\n",
         std::string(99, 'a')},
        {"longer values cut at 99", "[zintu]\nmode=" + std::string(5000, 'b') + "c\n",
         std::string(99, 'b')},
        {"blanks trimmed before the cut", "[zintu]\nmode=" + std::string(200, ' ') + "x\n", "x"},
    };
    for (const auto& [what, text, value] : cases)
        EXPECT_EQ(ini_value(text, "zintu", "mode"), value) << what;
}

TEST(IniWithValue, UpdatesKeepEverythingElse) {
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"empty text", "", "[zintu]\nmode=fastmode\n"},
        {"replaces the value, key spelled anew", "[Zintu]\nMode = realtime\nx=1\n",
         "[Zintu]\nmode=fastmode\nx=1\n"},
        {"only the first of two keys", "[zintu]\nmode=a\nmode=b\n",
         "[zintu]\nmode=fastmode\nmode=b\n"},
        {"adds the key after the section's last line", "[zintu]\nx=1\n\n[other]\ny=2\n",
         "[zintu]\nx=1\nmode=fastmode\n\n[other]\ny=2\n"},
        {"adds the key to a section at the end without newline", "[zintu]\nx=1",
         "[zintu]\nx=1\nmode=fastmode\n"},
        {"appends a section after the rest", "; note\n[other]\nmode=keep\n",
         "; note\n[other]\nmode=keep\n\n[zintu]\nmode=fastmode\n"},
        {"appends after a last line without newline", "[other]\ny=2",
         "[other]\ny=2\n\n[zintu]\nmode=fastmode\n"},
        {"replaces within CRLF", "[zintu]\r\nmode=x\r\n", "[zintu]\r\nmode=fastmode\r\n"},
        {"keeps CRLF line ends", "[other]\r\ny=2\r\n",
         "[other]\r\ny=2\r\n\r\n[zintu]\r\nmode=fastmode\r\n"},
        {"keeps NULs and binary bytes", "\x01\0\xff\n[zintu]\nmode=\0x\n"s,
         "\x01\0\xff\n[zintu]\nmode=fastmode\n"s},
    };
    for (const auto& [what, text, expected] : cases)
        EXPECT_EQ(ini_with_value(text, "zintu", "mode", "fastmode"), expected) << what;
}

TEST(SettingsValues, OnlyTheExactTextSelectsTheOtherChoice) {
    const std::tuple<std::string, std::string, SpeedMode, bool> cases[] = {
        {"", "", SpeedMode::RealTime, false},
        {"realtime", "fullnetwork", SpeedMode::RealTime, false},
        {"fastmode", "downtown", SpeedMode::Fast, true},
        {"FastMode", "Downtown", SpeedMode::RealTime, false},
        {"fastmode ", " downtown", SpeedMode::RealTime, false},
        {"fast", "downtownx", SpeedMode::RealTime, false}};
    for (const auto& [mode, zoomlevel, speed, downtown] : cases) {
        const Settings s = settings_from_values(mode, zoomlevel);
        EXPECT_EQ(std::tie(s.speed_mode, s.downtown), std::tie(speed, downtown)) << mode;
    }
}

TEST(SettingsValues, ColoursAreOneOfThreeExactTexts) {
    const std::tuple<std::string, ColourScheme, bool> cases[] = {
        {"auto", ColourScheme::Auto, true},         {"lines", ColourScheme::Lines, true},
        {"featured", ColourScheme::Featured, true}, {"", ColourScheme::Auto, false},
        {"Lines", ColourScheme::Auto, false},       {"lines ", ColourScheme::Auto, false},
    };
    for (const auto& [value, scheme, named] : cases) {
        EXPECT_EQ(colour_scheme_from_value(value), scheme) << value;
        EXPECT_EQ(parse_colour_scheme(value).has_value(), named) << value;
    }
}

// Without route styles a network is drawn featured whatever the choice.
TEST(SettingsValues, ColourChoiceResolvedAgainstTheNetwork) {
    using enum ColourScheme;
    constexpr auto F = NetworkColours::Featured, L = NetworkColours::Lines;
    const ShapeStyle styles[1] = {{.colour = 0xEE352E, .kind = RouteKind::Metro}};
    Network networks[3]{};
    networks[1].shape_styles = networks[2].shape_styles = styles;
    networks[0].info.colours = networks[2].info.colours = L;
    const std::tuple<ColourScheme, int, NetworkColours> cases[] = {
        {Auto, 0, F}, {Auto, 1, F}, {Auto, 2, L}, {Lines, 0, F}, {Lines, 1, L}, {Featured, 2, F},
    };
    for (const auto& [choice, network, drawn] : cases)
        EXPECT_EQ(drawn_colours(choice, networks[network]), drawn)
            << colours_value(choice) << ", network " << network;
}

TEST(SettingsValues, OverridesReplaceOnlyWhatTheyName) {
    using enum SpeedMode;
    using enum ColourScheme;
    const Settings file{Fast, true, "a.zintu", Lines};
    const std::tuple<SettingsOverride, SpeedMode, bool, std::string, ColourScheme> cases[] = {
        {{}, Fast, true, "a.zintu", Lines},
        {{RealTime, {}, {}, {}, {}}, RealTime, true, "a.zintu", Lines},
        {{{}, false, {}, {}, {}}, Fast, false, "a.zintu", Lines},
        {{{}, {}, "city.zintu", {}, {}}, Fast, true, "city.zintu", Lines},
        {{{}, {}, {}, Featured, {}}, Fast, true, "a.zintu", Featured}};
    EXPECT_EQ(apply_override(file, {{}, {}, {}, {}, Pace::EveryTick}).pace, Pace::EveryTick);
    for (const auto& [override_, speed, downtown, network, colours] : cases) {
        const Settings s = apply_override(file, override_);
        EXPECT_EQ(std::tie(s.speed_mode, s.downtown, s.network, s.colours),
                  std::tie(speed, downtown, network, colours));
    }
}

namespace fs = std::filesystem;

TEST(SettingsFilePath, XdgFirstThenHome) {
    const std::tuple<const char*, const char*, std::optional<std::string>> cases[] = {
        {"/x/cfg", "/home/u", "/x/cfg/zintu/zintu.ini"},
        {"/x/cfg/", "/home/u", "/x/cfg/zintu/zintu.ini"},
        {nullptr, "/home/u", "/home/u/.config/zintu/zintu.ini"},
        {"", "/home/u/", "/home/u/.config/zintu/zintu.ini"},
        {"relative/cfg", "/home/u", "/home/u/.config/zintu/zintu.ini"},
        {nullptr, nullptr, std::nullopt},
        {"", "", std::nullopt},
        {"/", nullptr, "/zintu/zintu.ini"}};
    for (const auto& [xdg, home, path] : cases)
        EXPECT_EQ(settings_file_path(xdg, home), path) << (xdg ? xdg : "-") << (home ? home : "-");
}

// The network and colours keys appear once chosen, and stay once there.
TEST(SettingsFromIni, WrittenSettingsReadBack) {
    using enum ColourScheme;
    const std::tuple<std::string, Settings, bool, const char*> cases[] = {
        {"", {SpeedMode::RealTime, false, {}, Auto}, false, nullptr},
        // A path is kept whole, longer than a choice's 99 characters.
        {"",
         {SpeedMode::Fast, true, "/srv/" + std::string(120, 'n') + ".zintu", Lines},
         true,
         "lines"},
        {"", {SpeedMode::RealTime, false, {}, Featured}, false, "featured"},
        {"colours=lines\n", {SpeedMode::RealTime, false, {}, Auto}, false, "auto"},
        {"colours=Lines\nnetwork=\n", {SpeedMode::RealTime, false, {}, Auto}, true, "auto"},
    };
    for (const auto& [before, s, network_key, colours] : cases) {
        const std::string text = ini_with_settings("; mine\n[zintu]\nmode=junk\n" + before, s);
        const Settings back = settings_from_ini(text);
        EXPECT_EQ(std::tie(back.speed_mode, back.downtown, back.network, back.colours),
                  std::tie(s.speed_mode, s.downtown, s.network, s.colours))
            << text;
        EXPECT_EQ(text.find("network=") != std::string::npos, network_key) << text;
        EXPECT_EQ(ini_value(text, "zintu", "colours"),
                  colours ? std::optional<std::string>(colours) : std::nullopt)
            << text;
    }
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(dir_);
    }
    static void write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string read(const fs::path& path) {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }
    static std::string text_of(std::FILE* file) {
        std::string text(static_cast<size_t>(std::ftell(file)), '\0');
        std::rewind(file);
        text.resize(std::fread(text.data(), 1, text.size(), file));
        std::fclose(file);
        return text;
    }
    int configure(const fs::path& path, SettingsOverride choices) {
        std::FILE *o = std::tmpfile(), *e = std::tmpfile();
        const int status = configure_settings(path.string(), choices, o, e);
        out_ = text_of(o);
        err_ = text_of(e);
        return status;
    }
    const fs::path dir_ = fs::temp_directory_path() /
                          ("zintu_settings_" + std::to_string(getpid()) + "_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string out_, err_;
};

// Without HOME, or with an empty one, the password database names the home.
TEST_F(SettingsFileTest, AnEmptyHomeIsLookedUp) {
    const char* home = std::getenv("HOME");
    const std::string saved = home ? home : "";
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "", 1);
    EXPECT_EQ(user_settings_file_path(), settings_file_path(nullptr, entry->pw_dir));
    home ? setenv("HOME", saved.c_str(), 1) : unsetenv("HOME");
}

TEST_F(SettingsFileTest, FilesThatCannotBeUsedGiveTheDefaultsAndAReason) {
    const fs::path file = dir_ / "zintu.ini";
    const std::string fast = "[zintu]\nmode=fastmode\n";
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[] {}, ""}, // missing
        {[&] { fs::create_directory(file); }, "': not a regular file"},
        {[&] { fs::create_symlink("zintu.ini", file); }, "': Too many levels of symbolic links"},
        {[&] { write(file, fast + std::string(kMaxSettingsFileSize, '\n')); },
         "': larger than 1048576 bytes"},
        {[&] { write(file, fast), fs::permissions(file, fs::perms::none); },
         geteuid() == 0 ? "" : "': Permission denied"},
    };
    for (const auto& [make, reason] : cases) {
        fs::remove_all(file);
        make();
        std::string problem = "stale";
        const Settings s = read_settings_file(file.string(), problem);
        const bool usable = *reason == '\0';
        EXPECT_EQ(s.speed_mode,
                  usable && fs::is_regular_file(file) ? SpeedMode::Fast : SpeedMode::RealTime)
            << reason;
        EXPECT_EQ(problem, usable ? "" : "cannot read '" + file.string() + reason);
    }
}

TEST_F(SettingsFileTest, ReadSettingsIsTheFileWithTheOverridesOnTop) {
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    fs::create_directories(dir_ / "zintu");
    write(dir_ / "zintu" / "zintu.ini",
          "[zintu]\nmode=fastmode\nzoomlevel=downtown\nnetwork=city.zintu\n");
    std::string problem = "stale";
    const Settings s = read_linux_settings({}, problem);
    EXPECT_EQ(std::tie(problem, s.speed_mode, s.downtown, s.network),
              std::make_tuple("", SpeedMode::Fast, true, (dir_ / "zintu" / "city.zintu").string()))
        << "a network named without a folder lies beside the settings";
}

// A new file in new folders is the command-line tests'.
TEST_F(SettingsFileTest, ConfigureWritesBothKeysAndKeepsTheRest) {
    const fs::path file = dir_ / "zintu.ini";
    write(file, "[a]\nk=v\n[zintu]\nzoomlevel=Downtown\nother=1");
    const fs::perms rw_r = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, rw_r);
    ASSERT_EQ(configure(file, {}), 0);
    EXPECT_EQ(read(file), "[a]\nk=v\n[zintu]\nzoomlevel=fullnetwork\nother=1\nmode=realtime\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, rw_r) << "keeps its permissions";
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), {}), 1)
        << "no temporary file left";
}

TEST_F(SettingsFileTest, ConfigureFailuresSaySoInOneLine) {
    write(dir_ / "plain", "x");
    write(dir_ / "ro.ini", "[zintu]\nmode=fastmode\n");
    fs::permissions(dir_ / "ro.ini", fs::perms::owner_read | fs::perms::group_read);
    fs::create_directory(dir_ / "zintu.ini");
    const std::string d = dir_.string();
    const std::pair<fs::path, std::string> cases[] = {
        {dir_ / "plain" / "zintu.ini",
         "cannot create the folder '" + d + "/plain': a file of that name is in the way"},
        {dir_ / "plain" / "a" / "zintu.ini",
         "cannot create the folder '" + d + "/plain/a': Not a directory"},
        {dir_ / "ro.ini", "cannot write '" + d + "/ro.ini': the file is read-only"},
        {dir_ / "zintu.ini", "cannot read '" + d + "/zintu.ini': not a regular file"},
    };
    for (const auto& [file, error] : cases) {
        EXPECT_EQ(configure(file, {{}, true, {}, {}, {}}), 1) << file;
        EXPECT_EQ(out_ + err_, "zintu: " + error + "\n");
    }
}

TEST_F(SettingsFileTest, ConfigureWritesThroughSymbolicLinks) {
    const fs::path link = dir_ / "zintu.ini", dots = dir_ / "dotfiles";
    fs::create_directories(dots / "sub");
    // A link in between or none, the last link's text, the file written, there before.
    const std::tuple<fs::path, std::string, fs::path, bool> cases[] = {
        // A chain: an absolute link, then one relative to its own folder.
        {dots / "hop", "sub/c.ini", dots / "sub" / "c.ini", true},
        {{}, "dotfiles/new.ini", dots / "new.ini", false}, // to a file not there yet
    };
    for (const auto& [via, to, target, exists] : cases) {
        fs::remove(link);
        if (exists) write(target, "; mine\n[zintu]\nmode=fastmode\n");
        fs::create_symlink(to, via.empty() ? link : via);
        if (!via.empty()) fs::create_symlink(via, link);
        ASSERT_EQ(configure(link, {{}, true, {}, {}, {}}), 0) << target << ": " << err_;
        EXPECT_TRUE(fs::is_symlink(link)) << target;
        EXPECT_EQ(read(target), exists ? "; mine\n[zintu]\nmode=fastmode\nzoomlevel=downtown\n"
                                       : "[zintu]\nmode=realtime\nzoomlevel=downtown\n");
    }
}

} // namespace
} // namespace zintu
