// POSIX file operations behind the settings file and the snapshot pictures.
#include "host/linux_files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zintu {
namespace {

std::string reason(const std::string& what, const std::string& path, int err) {
    return "cannot " + what + " '" + path + "': " + std::strerror(err);
}

// The file a write to `path` should replace: the target of a symbolic link.
std::string write_target(const std::string& path) {
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

mode_t permissions_for(const std::string& path) {
    struct stat existing {};
    if (stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

ReadStatus read_small_file(const std::string& path, std::size_t limit, std::string& out,
                           std::string& error) {
    out.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ReadStatus::Missing;
        error = reason("read", path, errno);
        return ReadStatus::Failed;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "cannot read '" + path + "': not a regular file";
        close(fd);
        return ReadStatus::Failed;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = reason("read", path, errno);
            close(fd);
            return ReadStatus::Failed;
        }
        if (got == 0) break;
        if (out.size() + static_cast<std::size_t>(got) > limit) {
            error = "cannot read '" + path + "': larger than " + std::to_string(limit) + " bytes";
            close(fd);
            out.clear();
            return ReadStatus::Failed;
        }
        out.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return ReadStatus::Ok;
}

bool write_file_atomically(const std::string& path, const std::function<bool(std::FILE*)>& fill,
                           const std::string& fill_error, std::string& error) {
    const std::string target = write_target(path);
    const mode_t mode = permissions_for(target);
    std::string temp = target + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = reason("write", path, errno);
        return false;
    }
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        error = reason("write", path, errno);
        close(fd);
        unlink(temp.c_str());
        return false;
    }
    const bool filled = fill(file);
    const bool flushed = std::fflush(file) == 0 && !std::ferror(file) && fsync(fd) == 0;
    const int saved_errno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!filled || !flushed || !closed) {
        error = filled ? reason("write", path, saved_errno)
                       : "cannot write '" + path + "': " + fill_error;
        unlink(temp.c_str());
        return false;
    }
    // mkstemp creates the file readable by its owner only.
    chmod(temp.c_str(), mode);
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        error = reason("write", path, errno);
        unlink(temp.c_str());
        return false;
    }
    return true;
}

bool make_directories(const std::string& dir, std::string& error) {
    if (dir.empty()) return true;
    for (std::size_t pos = 1;; ++pos) {
        pos = dir.find('/', pos);
        const std::string part = dir.substr(0, pos);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = reason("create the folder", part, errno);
            return false;
        }
        if (pos == std::string::npos) break;
    }
    struct stat info {};
    if (stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = "cannot create the folder '" + dir + "': a file of that name is in the way";
        return false;
    }
    return true;
}

} // namespace zintu
