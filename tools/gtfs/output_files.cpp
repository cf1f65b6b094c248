// Temporary files, renames, and the hard links that keep the old outputs until
// every new one is in place.
#include "output_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace zintu::gtfs {
namespace {

std::string system_error(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// Writes `content` to a new temporary file next to `path`; returns its name.
std::string write_temporary(const std::string& path, const std::string& content) {
    std::string name = path + ".tmp-XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) throw std::runtime_error(system_error("cannot create a file beside", path));
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const std::string message = system_error("cannot write", name);
            ::close(fd);
            std::remove(name.c_str());
            throw std::runtime_error(message);
        }
        written += static_cast<size_t>(n);
    }
    // Temporary files are created private; the outputs get the permissions a
    // newly created file would have.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0 || ::close(fd) != 0) {
        const std::string message = system_error("cannot write", name);
        std::remove(name.c_str());
        throw std::runtime_error(message);
    }
    return name;
}

// A second name for the file at `path`, so that it can be put back; empty when
// there is no such file or the file system has no hard links.
std::string keep_old(const std::string& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            path + ".old-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        if (::link(path.c_str(), name.c_str()) == 0) return name;
        if (errno != EEXIST) return {};
    }
    return {};
}

} // namespace

std::string output_paths_problem(const std::vector<std::string>& paths) {
    namespace fs = std::filesystem;
    std::vector<fs::path> resolved;
    for (const std::string& path : paths) {
        std::error_code error;
        if (fs::is_directory(path, error)) return path + " is a folder, not a file";
        fs::path canonical = fs::weakly_canonical(fs::absolute(path, error), error);
        if (error) canonical = fs::absolute(path, error).lexically_normal();
        for (size_t i = 0; i < resolved.size(); ++i) {
            // Two spellings of one path, or two links to one file.
            if (canonical == resolved[i] || fs::equivalent(paths[i], path, error))
                return "'" + paths[i] + "' and '" + path + "' name the same file";
        }
        resolved.push_back(canonical);
    }
    return {};
}

void write_files(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<std::string> paths;
    for (const auto& file : files)
        paths.push_back(file.first);
    if (const std::string problem = output_paths_problem(paths); !problem.empty())
        throw std::runtime_error(problem);
    std::vector<std::string> temporaries;
    std::vector<std::string> old(files.size());
    std::vector<bool> existed(files.size(), false);
    size_t replaced = 0;
    try {
        for (const auto& [path, content] : files)
            temporaries.push_back(write_temporary(path, content));
        for (; replaced < files.size(); ++replaced) {
            const std::string& path = files[replaced].first;
            existed[replaced] = ::access(path.c_str(), F_OK) == 0;
            if (existed[replaced]) old[replaced] = keep_old(path);
            if (std::rename(temporaries[replaced].c_str(), path.c_str()) != 0)
                throw std::runtime_error(system_error("cannot replace", path));
            temporaries[replaced].clear();
        }
    } catch (...) {
        for (const std::string& name : temporaries) {
            if (!name.empty()) std::remove(name.c_str());
        }
        for (size_t i = 0; i < replaced; ++i) {
            // The file this run wrote goes; the one it replaced comes back.
            if (!existed[i]) {
                std::remove(files[i].first.c_str());
            } else if (!old[i].empty()) {
                std::rename(old[i].c_str(), files[i].first.c_str());
            }
        }
        if (replaced < old.size() && !old[replaced].empty()) std::remove(old[replaced].c_str());
        throw;
    }
    for (const std::string& name : old) {
        if (!name.empty()) std::remove(name.c_str());
    }
}

} // namespace zintu::gtfs
