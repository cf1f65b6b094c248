// What the Windows settings dialog names when a save fails: the file or folder
// in the way of the settings file, found over a file system given as a table.
#include "host/win32_save_failure.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace zintu {
namespace {

using Files = std::map<std::string, PathKind>;

TEST(SaveFailure, TheFileOrFolderInTheWay) {
    constexpr PathKind D = PathKind::Folder, F = PathKind::File;
    const std::string file = "C:\\users\\me\\AppData\\Roaming\\Zintu\\zintu.ini";
    const Files profile = {{"C:\\users", D},
                           {"C:\\users\\me", D},
                           {"C:\\users\\me\\AppData", D},
                           {"C:\\users\\me\\AppData\\Roaming", D}};
    auto with = [&](Files more) {
        more.insert(profile.begin(), profile.end());
        return more;
    };
    struct Case {
        const char* what;
        std::string file;
        Files files;
        std::optional<std::string> in_the_way;
        PathKind kind;
    } cases[] = {
        {"a file named Zintu", file, with({{"C:\\users\\me\\AppData\\Roaming\\Zintu", F}}),
         "C:\\users\\me\\AppData\\Roaming\\Zintu", F},
        {"a file higher up", file, {{"C:\\users", D}, {"C:\\users\\me", F}}, "C:\\users\\me", F},
        {"a folder named zintu.ini", file,
         with({{"C:\\users\\me\\AppData\\Roaming\\Zintu", D}, {file, D}}), file, D},
        {"nothing: the folder is still to be made", file, profile, std::nullopt, D},
        {"nothing: a read-only file", file,
         with({{"C:\\users\\me\\AppData\\Roaming\\Zintu", D}, {file, F}}), std::nullopt, D},
        {"a network path's server and share are not asked about",
         "\\\\server\\share\\Zintu\\zintu.ini",
         {{"\\\\server\\share\\Zintu", F}},
         "\\\\server\\share\\Zintu",
         F},
        {"forward slashes and a doubled separator",
         "C:/data//Zintu/zintu.ini",
         {{"C:/data", D}, {"C:/data//Zintu", F}},
         "C:/data//Zintu",
         F},
    };
    for (const Case& c : cases) {
        std::vector<std::string> asked;
        const auto obstacle = path_in_the_way(c.file, [&](const std::string& path) {
            asked.push_back(path);
            const auto it = c.files.find(path);
            return it == c.files.end() ? PathKind::Missing : it->second;
        });
        EXPECT_EQ(obstacle ? std::optional(obstacle->path) : std::nullopt, c.in_the_way) << c.what;
        if (obstacle) {
            EXPECT_EQ(obstacle->kind, c.kind) << c.what;
        }
        for (const std::string& path : asked) {
            EXPECT_NE(path.back(), ':') << c.what << ": asked about a drive";
            EXPECT_NE(path, "\\\\server\\share") << c.what;
        }
    }
}

TEST(SaveFailure, TheMessageSaysWhatToDo) {
    const std::string file = "C:\\a\\Zintu\\zintu.ini";
    EXPECT_EQ(save_failure_text(file, PathObstacle{"C:\\a\\Zintu", PathKind::File},
                                "Path not found.\r\n"),
              "The settings could not be saved to\nC:\\a\\Zintu\\zintu.ini\n\n"
              "A file is in the way: the folder\nC:\\a\\Zintu\nis needed there. "
              "Move or rename that file, then press OK again.");
    EXPECT_EQ(save_failure_text(file, PathObstacle{file, PathKind::Folder}, ""),
              "The settings could not be saved to\nC:\\a\\Zintu\\zintu.ini\n\n"
              "A folder is in the way: the settings file\nC:\\a\\Zintu\\zintu.ini\nis needed "
              "there. Move or rename that folder, then press OK again.");
    EXPECT_EQ(save_failure_text(file, std::nullopt, "Access denied.\r\n"),
              "The settings could not be saved to\nC:\\a\\Zintu\\zintu.ini\n\nAccess denied.\r\n");
}

} // namespace
} // namespace zintu
