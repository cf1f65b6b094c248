// A folder of the Windows tests' own under the temporary folder, removed
// with everything in it at the end, and whole files read and written by
// wide paths.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zintu::test {

struct ScratchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("zintu-" + std::to_string(GetCurrentProcessId()));
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
};

inline std::string read_bytes(const std::filesystem::path& file) {
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}

inline void write_bytes(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

} // namespace zintu::test
