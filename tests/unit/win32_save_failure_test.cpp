// What the Windows settings dialog names when a save fails: the file or folder
// in the way of the settings file, found over a file system given as a table.
#include "host/win32_save_failure.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace zintu {
namespace {

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

} // namespace
} // namespace zintu
