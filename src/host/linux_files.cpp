// POSIX file operations behind the settings file and the snapshot pictures.
#include "host/linux_files.h"

#include "host/path_text.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace zintu {
namespace {

// As many links as the system follows in one path before it gives up.
constexpr int kMaxLinkHops = 40;

std::string reason(const std::string& what, const std::string& path, int err) {
    return "cannot " + what + " '" + path + "': " + std::strerror(err);
}

// The file a write to `path` should replace: the end of its chain of symbolic
// links, which need not exist yet (a link may be made before its target). A
// relative link is relative to its own folder. Empty, with a reason, for a
// chain that cannot be read or loops.
std::optional<std::string> write_target(const std::string& path, std::string& error) {
    std::string target = path;
    for (int hops = 0; hops <= kMaxLinkHops; ++hops) {
        struct stat link {};
        if (lstat(target.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return target;
        std::string next(PATH_MAX, '\0');
        const ssize_t length = readlink(target.c_str(), next.data(), next.size());
        if (length < 0 || static_cast<std::size_t>(length) >= next.size()) {
            error = reason("write", path, length < 0 ? errno : ENAMETOOLONG);
            return std::nullopt;
        }
        next.resize(static_cast<std::size_t>(length));
        const std::string folder = folder_of(target);
        if (!next.empty() && next[0] != '/' && !folder.empty()) {
            next = (folder == "/" ? folder : folder + "/") + next;
        }
        target = next;
    }
    error = reason("write", path, ELOOP);
    return std::nullopt;
}

mode_t new_file_permissions() {
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
    if (static_cast<uintmax_t>(info.st_size) > limit) {
        error = "cannot read '" + path + "': larger than " + std::to_string(limit) + " bytes";
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

bool open_pending_file(const std::string& path, PendingFile& pending, std::string& error) {
    pending = PendingFile{};
    const std::optional<std::string> resolved = write_target(path, error);
    if (!resolved) return false;
    const std::string& target = *resolved;
    struct stat info {};
    const bool exists = stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    if (exists) {
        // As an editor would: a file without any write permission is one its
        // owner chose to protect (even from root, who may write anything).
        if ((info.st_mode & 0222) == 0) {
            error = "cannot write '" + path + "': the file is read-only";
            return false;
        }
        if (access(target.c_str(), W_OK) != 0) {
            error = reason("write", path, errno);
            return false;
        }
    }
    std::string temp = target + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = reason("write", path, errno);
        return false;
    }
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    // Owner and group first: changing them may clear the set-id bits, which
    // the mode set on commit restores. Only a privileged process may give a
    // file away, so a failure here leaves the writer's own.
    if (exists) {
        [[maybe_unused]] const int owned = fchown(fd, info.st_uid, info.st_gid);
    }
    pending.path = path;
    pending.target = target;
    pending.temp = temp;
    pending.fd = fd;
    pending.mode = exists ? info.st_mode & 07777 : new_file_permissions();
    return true;
}

bool commit_pending_file(PendingFile& pending, std::string& error) {
    const bool synced = fsync(pending.fd) == 0;
    const int saved_errno = errno;
    const bool closed = close(pending.fd) == 0;
    pending.fd = -1;
    if (!synced || !closed) {
        error = reason("write", pending.path, synced ? errno : saved_errno);
        discard_pending_file(pending);
        return false;
    }
    // mkstemp creates the file readable by its owner only.
    chmod(pending.temp.c_str(), static_cast<mode_t>(pending.mode));
    if (std::rename(pending.temp.c_str(), pending.target.c_str()) != 0) {
        error = reason("write", pending.path, errno);
        discard_pending_file(pending);
        return false;
    }
    pending = PendingFile{};
    return true;
}

void discard_pending_file(PendingFile& pending) {
    if (pending.fd >= 0) close(pending.fd);
    if (!pending.temp.empty()) unlink(pending.temp.c_str());
    pending = PendingFile{};
}

bool write_file_atomically(const std::string& path, const std::function<bool(std::FILE*)>& fill,
                           const std::string& fill_error, std::string& error) {
    PendingFile pending;
    if (!open_pending_file(path, pending, error)) return false;
    std::FILE* file = fdopen(dup(pending.fd), "wb");
    if (file == nullptr) {
        error = reason("write", path, errno);
        discard_pending_file(pending);
        return false;
    }
    const bool filled = fill(file);
    const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
    const int saved_errno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!filled || !flushed || !closed) {
        error = filled ? reason("write", path, saved_errno)
                       : "cannot write '" + path + "': " + fill_error;
        discard_pending_file(pending);
        return false;
    }
    return commit_pending_file(pending, error);
}

int write_all(int fd, const void* bytes, std::size_t size) {
    const char* at = static_cast<const char*>(bytes);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, at + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
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
