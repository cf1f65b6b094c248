// The Linux settings file: where it lives, what its text selects, reading it
// with the command line's overrides, and --configure's writing.
#include "host/linux_settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zintu {
namespace {

namespace fs = std::filesystem;

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

// The file's text as the two keys select it (the lookup itself and the exact
// values are ini_text_test's and settings_test's), and what a save writes.
TEST(SettingsFromIni, EachKeyItsSetting) {
    struct Case {
        std::string text;
        SpeedMode speed;
        bool downtown;
    } cases[] = {
        {"", SpeedMode::RealTime, false},
        {"[zintu]\nmode=fastmode\nzoomlevel=downtown\n", SpeedMode::Fast, true},
        {"[zintu]\nzoomlevel=downtown\n", SpeedMode::RealTime, true},
        {"[zintu]\nmode=fastmode\nzoomlevel=Downtown\n", SpeedMode::Fast, false},
        {"[other]\nmode=fastmode\nzoomlevel=downtown\n", SpeedMode::RealTime, false},
    };
    for (const Case& c : cases) {
        const Settings s = settings_from_ini(c.text);
        EXPECT_EQ(s.speed_mode, c.speed) << c.text;
        EXPECT_EQ(s.downtown, c.downtown) << c.text;
    }
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

TEST_F(SettingsFileTest, FilesThatCannotBeUsedGiveTheDefaultsAndAReason) {
    const fs::path file = dir_ / "zintu.ini";
    const std::string fast = "[zintu]\nmode=fastmode\n";
    struct Case {
        const char* what;
        std::function<void()> make;
        const char* problem; // the reason after the file's name; empty: none
    } cases[] = {
        {"missing", [] {}, ""},
        {"a real one", [&] { write(file, fast); }, ""},
        {"a folder", [&] { fs::create_directory(file); }, "': not a regular file"},
        {"a FIFO", [&] { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }, "': not a regular file"},
        {"a loop of links", [&] { fs::create_symlink("zintu.ini", file); },
         "': Too many levels of symbolic links"},
        {"larger than the limit",
         [&] { write(file, fast + std::string(kMaxSettingsFileSize, '\n')); },
         "': larger than 1048576 bytes"},
        {"unreadable",
         [&] {
             write(file, fast);
             fs::permissions(file, fs::perms::none);
         },
         geteuid() == 0 ? "" : "': Permission denied"},
    };
    for (const Case& c : cases) {
        fs::remove_all(file);
        c.make();
        std::string problem = "stale";
        const Settings s = read_settings_file(file.string(), problem);
        const bool usable = std::string(c.problem).empty();
        EXPECT_EQ(s.speed_mode,
                  usable && fs::is_regular_file(file) ? SpeedMode::Fast : SpeedMode::RealTime)
            << c.what;
        EXPECT_EQ(problem, usable ? "" : "cannot read '" + file.string() + c.problem) << c.what;
    }
}

TEST_F(SettingsFileTest, ReadSettingsIsTheFileWithTheOverridesOnTop) {
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    fs::create_directories(dir_ / "zintu");
    write(dir_ / "zintu" / "zintu.ini",
          "[zintu]\nmode=fastmode\nzoomlevel=downtown\nnetwork=city.zintu\n");
    std::string problem = "stale";
    Settings s = read_linux_settings({}, problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(s.speed_mode, SpeedMode::Fast);
    EXPECT_TRUE(s.downtown);
    EXPECT_EQ(s.network, (dir_ / "zintu" / "city.zintu").string()) << "beside the settings";
    s = read_linux_settings({SpeedMode::RealTime, false, "/srv/other.zintu"}, problem);
    EXPECT_EQ(s.speed_mode, SpeedMode::RealTime);
    EXPECT_FALSE(s.downtown);
    EXPECT_EQ(s.network, "/srv/other.zintu");
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
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(configure(file, {}, out, err), 0);
    EXPECT_EQ(read(file), "[a]\nk=v\n[zintu]\nzoomlevel=fullnetwork\nother=1\nmode=realtime\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
        << "the file keeps its permissions";
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

TEST_F(SettingsFileTest, ConfigureWritesThroughSymbolicLinks) {
    // The settings link points, through `via`, at `target`, kept elsewhere.
    const fs::path link = dir_ / "zintu.ini";
    fs::create_directories(dir_ / "dotfiles" / "sub");
    struct Case {
        const char* what;
        fs::path via;    // a link in between, if any
        std::string to;  // what the last link holds
        fs::path target; // the file written
        bool exists;     // the target is there before
    } cases[] = {
        {"absolute", {}, (dir_ / "dotfiles" / "a.ini").string(), dir_ / "dotfiles" / "a.ini", true},
        {"relative to its folder", {}, "dotfiles/b.ini", dir_ / "dotfiles" / "b.ini", true},
        {"a chain", dir_ / "dotfiles" / "hop", "sub/c.ini", dir_ / "dotfiles" / "sub" / "c.ini",
         true},
        {"to a file not there yet", {}, "dotfiles/new.ini", dir_ / "dotfiles" / "new.ini", false},
    };
    for (const Case& c : cases) {
        fs::remove(link);
        if (c.exists) write(c.target, "; mine\n[zintu]\nmode=fastmode\n");
        if (c.via.empty()) {
            fs::create_symlink(c.to, link);
        } else {
            fs::remove(c.via);
            fs::create_symlink(c.to, c.via);
            fs::create_symlink(c.via, link);
        }
        std::string out, err;
        ASSERT_EQ(configure(link, {{}, true, {}}, out, err), 0) << c.what << ": " << err;
        EXPECT_TRUE(fs::is_symlink(link)) << c.what;
        EXPECT_EQ(read(c.target), c.exists ? "; mine\n[zintu]\nmode=fastmode\nzoomlevel=downtown\n"
                                           : "[zintu]\nmode=realtime\nzoomlevel=downtown\n")
            << c.what;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir_)) {
            EXPECT_EQ(entry.path().filename().string().find(".ini."), std::string::npos)
                << c.what << ": a temporary file is left";
        }
    }
}

TEST_F(SettingsFileTest, ConfigureRefusesAReadOnlyFile) {
    const fs::path file = dir_ / "zintu.ini";
    write(file, "[zintu]\nmode=fastmode\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::string out, err;
    EXPECT_EQ(configure(file, {{}, true, {}}, out, err), 1);
    EXPECT_EQ(err, "zintu: cannot write '" + file.string() + "': the file is read-only\n");
    EXPECT_EQ(read(file), "[zintu]\nmode=fastmode\n");
    EXPECT_EQ(out, "");
}

} // namespace
} // namespace zintu
