// Temporary files and renames for the generated outputs.
#include "output_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

} // namespace

void write_files(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<std::string> temporaries;
    try {
        for (const auto& [path, content] : files)
            temporaries.push_back(write_temporary(path, content));
        for (size_t i = 0; i < files.size(); ++i) {
            if (std::rename(temporaries[i].c_str(), files[i].first.c_str()) != 0)
                throw std::runtime_error(system_error("cannot replace", files[i].first));
            temporaries[i].clear();
        }
    } catch (...) {
        for (const std::string& name : temporaries) {
            if (!name.empty()) std::remove(name.c_str());
        }
        throw;
    }
}

} // namespace zintu::gtfs
