// The Linux settings file: where it lives, what its text selects, reading it
// with the command line's overrides, and --configure's writing.
#include "host/linux_settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace zintu {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

TEST(SettingsFilePath, XdgFirstThenHome) {
    struct Case {
        const char *xdg, *home;
        std::optional<std::string> path;
    } cases[] = {
        {"/x/cfg", "/home/u", "/x/cfg/zintu/zintu.ini"},
        {"/x/cfg/", "/home/u", "/x/cfg/zintu/zintu.ini"},
        {nullptr, "/home/u", "/home/u/.config/zintu/zintu.ini"},
        {"", "/home/u/", "/home/u/.config/zintu/zintu.ini"},
        {"relative/cfg", "/home/u", "/home/u/.config/zintu/zintu.ini"},
        {nullptr, nullptr, std::nullopt},
        {"", "", std::nullopt},
        {"/", nullptr, "/zintu/zintu.ini"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settings_file_path(c.xdg, c.home), c.path)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

TEST(SettingsFromIni, DefaultsAndExactValues) {
    struct Case {
        std::string text;
        SpeedMode speed;
        bool downtown;
    } cases[] = {
        {"", SpeedMode::RealTime, false},
        {"[zintu]\n", SpeedMode::RealTime, false},
        {"[zintu]\nmode=fastmode\nzoomlevel=downtown\n", SpeedMode::Fast, true},
        {"[ZINTU]\nMODE=fastmode\nZoomLevel=downtown\n", SpeedMode::Fast, true},
        {"[zintu]\nmode=FASTMODE\nzoomlevel=Downtown\n", SpeedMode::RealTime, false},
        {"[zintu]\nmode = fastmode \nzoomlevel=\tdowntown\r\n", SpeedMode::Fast, true},
        {"[zintu]\nmode=fast mode\nzoomlevel=down town\n", SpeedMode::RealTime, false},
        {"[zintu]\nmode=fastmode" + std::string(100, ' ') + "x\n", SpeedMode::RealTime, false},
        {"[other]\nmode=fastmode\nzoomlevel=downtown\n", SpeedMode::RealTime, false},
        {"[zintu]\nzoomlevel=downtown\0\n"s, SpeedMode::RealTime, true},
        {"\0\0\0[zintu]\nmode=fastmode"s, SpeedMode::RealTime, false},
        {"\0\0\0\n[zintu]\nmode=fastmode"s, SpeedMode::Fast, false},
    };
    for (const Case& c : cases) {
        const Settings s = settings_from_ini(c.text);
        EXPECT_EQ(s.speed_mode, c.speed) << c.text;
        EXPECT_EQ(s.downtown, c.downtown) << c.text;
    }
}

TEST(SettingsFromIni, SavedSettingsReadBack) {
    for (const Settings& s : {Settings{SpeedMode::RealTime, false, {}},
                              Settings{SpeedMode::Fast, true, "/srv/city.zintu"},
                              Settings{SpeedMode::Fast, false, {}}}) {
        const std::string text = ini_with_settings("; mine\n[zintu]\nmode=junk\n", s);
        const Settings back = settings_from_ini(text);
        EXPECT_EQ(back.speed_mode, s.speed_mode);
        EXPECT_EQ(back.downtown, s.downtown);
        EXPECT_EQ(back.network, s.network);
        EXPECT_EQ(text.find("network=") != std::string::npos, !s.network.empty()) << text;
        EXPECT_EQ(text.rfind("; mine\n[zintu]\nmode=", 0), 0u) << text;
    }
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zintu_settings_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
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
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Runs configure_settings; returns its status, its output in `out`.
    static int configure(const fs::path& path, SettingsOverride choices, std::string& out,
                         std::string& err) {
        std::FILE* o = std::tmpfile();
        std::FILE* e = std::tmpfile();
        const int status = configure_settings(path.string(), choices, o, e);
        for (auto [file, text] : {std::pair{o, &out}, std::pair{e, &err}}) {
            std::rewind(file);
            text->clear();
            for (int c; (c = std::fgetc(file)) != EOF;)
                text->push_back(static_cast<char>(c));
            std::fclose(file);
        }
        return status;
    }
    fs::path dir_;
};

TEST_F(SettingsFileTest, UnreadableOrJunkFilesGiveTheDefaults) {
    const fs::path file = dir_ / "zintu.ini";
    EXPECT_EQ(read_settings_file(file.string()).speed_mode, SpeedMode::RealTime) << "missing";
    fs::create_directory(file);
    EXPECT_EQ(read_settings_file(file.string()).speed_mode, SpeedMode::RealTime) << "a folder";
    fs::remove(file);
    write(file, "[zintu]\nmode=fastmode\n" + std::string(kMaxSettingsFileSize, '\n'));
    EXPECT_EQ(read_settings_file(file.string()).speed_mode, SpeedMode::RealTime)
        << "larger than the limit";
    write(file, "[zintu]\nmode=fastmode\n");
    EXPECT_EQ(read_settings_file(file.string()).speed_mode, SpeedMode::Fast) << "a real one";
}

TEST_F(SettingsFileTest, ReadSettingsIsTheFileWithTheOverridesOnTop) {
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    fs::create_directories(dir_ / "zintu");
    write(dir_ / "zintu" / "zintu.ini", "[zintu]\nmode=fastmode\nzoomlevel=downtown\n");
    struct Case {
        SettingsOverride override_;
        SpeedMode speed;
        bool downtown;
    } cases[] = {
        {{}, SpeedMode::Fast, true},
        {{SpeedMode::RealTime, {}, {}}, SpeedMode::RealTime, true},
        {{{}, false, {}}, SpeedMode::Fast, false},
        {{SpeedMode::RealTime, false, {}}, SpeedMode::RealTime, false},
    };
    for (const Case& c : cases) {
        const Settings s = read_linux_settings(c.override_);
        EXPECT_EQ(s.speed_mode, c.speed);
        EXPECT_EQ(s.downtown, c.downtown);
    }
}

TEST_F(SettingsFileTest, ConfigureWritesBothKeysAndKeepsTheRest) {
    const fs::path file = dir_ / "new" / "folders" / "zintu.ini";
    std::string out, err;
    ASSERT_EQ(configure(file, {}, out, err), 0) << err;
    EXPECT_EQ(out, file.string() + "\n");
    EXPECT_EQ(read(file), "[zintu]\nmode=realtime\nzoomlevel=fullnetwork\n");

    ASSERT_EQ(configure(file, {SpeedMode::Fast, {}, {}}, out, err), 0);
    EXPECT_EQ(read(file), "[zintu]\nmode=fastmode\nzoomlevel=fullnetwork\n");
    ASSERT_EQ(configure(file, {{}, true, {}}, out, err), 0);
    EXPECT_EQ(read(file), "[zintu]\nmode=fastmode\nzoomlevel=downtown\n");

    write(file, "[a]\nk=v\n[zintu]\nzoomlevel=Downtown\nother=1");
    ASSERT_EQ(configure(file, {}, out, err), 0);
    EXPECT_EQ(read(file), "[a]\nk=v\n[zintu]\nzoomlevel=fullnetwork\nother=1\nmode=realtime\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()),
              1)
        << "no temporary file left";
}

TEST_F(SettingsFileTest, ConfigureFailuresSaySoInOneLine) {
    write(dir_ / "plain", "x");
    std::string out, err;
    for (const fs::path& file :
         {dir_ / "plain" / "zintu.ini", dir_ / "plain" / "a" / "zintu.ini"}) {
        EXPECT_EQ(configure(file, {}, out, err), 1) << file;
        EXPECT_EQ(out, "");
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    }
    const fs::path folder = dir_ / "zintu.ini";
    fs::create_directory(folder);
    EXPECT_EQ(configure(folder, {}, out, err), 1);
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(SettingsFileTest, ConfigureWritesThroughASymbolicLink) {
    const fs::path target = dir_ / "real.ini";
    const fs::path link = dir_ / "zintu.ini";
    write(target, "[zintu]\nmode=fastmode\n");
    fs::create_symlink(target, link);
    std::string out, err;
    ASSERT_EQ(configure(link, {{}, true, {}}, out, err), 0) << err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(read(target), "[zintu]\nmode=fastmode\nzoomlevel=downtown\n");
}

} // namespace
} // namespace zintu
