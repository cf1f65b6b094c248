// The path in the way of the settings file, and the message that names it.
#include "host/win32_save_failure.h"

#include <cstddef>

namespace zintu {
namespace {

constexpr const char* kSeparators = "\\/";

bool is_separator(char c) {
    return c == '\\' || c == '/';
}

// Where the first folder that may be asked about starts: after a drive's
// "X:" and its separator, or after a network path's server and share.
std::size_t first_askable(const std::string& file) {
    if (file.size() >= 2 && is_separator(file[0]) && is_separator(file[1])) {
        std::size_t pos = file.find_first_of(kSeparators, 2); // after the server
        if (pos != std::string::npos) pos = file.find_first_of(kSeparators, pos + 1); // the share
        return pos == std::string::npos ? file.size() : pos + 1;
    }
    if (file.size() >= 2 && file[1] == ':') return file.size() > 2 ? 3 : 2;
    const std::size_t start = file.find_first_not_of(kSeparators);
    return start == std::string::npos ? file.size() : start;
}

} // namespace

std::optional<PathObstacle>
path_in_the_way(const std::string& file,
                const std::function<PathKind(const std::string&)>& kind_of) {
    for (std::size_t end = file.find_first_of(kSeparators, first_askable(file));
         end != std::string::npos; end = file.find_first_of(kSeparators, end + 1)) {
        if (end == 0 || is_separator(file[end - 1])) continue; // a doubled separator
        const std::string folder = file.substr(0, end);
        switch (kind_of(folder)) {
        case PathKind::File:
            return PathObstacle{folder, PathKind::File};
        case PathKind::Missing:
            return std::nullopt; // nothing below a missing folder exists
        case PathKind::Folder:
            break;
        }
    }
    if (!file.empty() && kind_of(file) == PathKind::Folder) {
        return PathObstacle{file, PathKind::Folder};
    }
    return std::nullopt;
}

std::string save_failure_text(const std::string& file, const std::optional<PathObstacle>& obstacle,
                              const std::string& system_reason) {
    std::string text = "The settings could not be saved to\n" +
                       (file.empty() ? std::string("(no application-data folder)") : file) + "\n\n";
    if (!obstacle) return text + system_reason;
    if (obstacle->kind == PathKind::File) {
        return text + "A file is in the way: the folder\n" + obstacle->path +
               "\nis needed there. Move or rename that file, then press OK again.";
    }
    return text + "A folder is in the way: the settings file\n" + obstacle->path +
           "\nis needed there. Move or rename that folder, then press OK again.";
}

} // namespace zintu
