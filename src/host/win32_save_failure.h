// What the settings dialog says when the settings cannot be saved, as a pure
// decision: which path stands in the way of the settings file (a file where
// its folder must be, or a folder where the file must be), and the message
// that names it and says what to do. No Windows headers, so it is tested
// natively; win32_settings.cpp asks the file system and shows the message.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zintu {

// What stands at a path.
enum class PathKind { Missing, Folder, File };

struct PathObstacle {
    std::string path;
    PathKind kind =
        PathKind::Missing; // File: where a folder must be; Folder: where the file must be
};

// The first of `file`'s folders, from the top, that exists as a file, or
// `file` itself when it exists as a folder; empty when nothing is in the way.
// Paths separate with "\" or "/"; a drive ("C:") or the server and share of
// a network path are never asked about.
std::optional<PathObstacle>
path_in_the_way(const std::string& file,
                const std::function<PathKind(const std::string&)>& kind_of);

// The message for a failed save of `file` (empty: there is no folder for
// it): what is in the way and what to do about it, or else the system's
// reason.
std::string save_failure_text(const std::string& file, const std::optional<PathObstacle>& obstacle,
                              const std::string& system_reason);

} // namespace zintu
