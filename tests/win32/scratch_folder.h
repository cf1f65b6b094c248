// A folder of the Windows tests' own under the temporary folder, removed
// with everything in it at the end, and the files the tests put there.
#pragma once

#include <string>

namespace zintu::test {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// A file's bytes, or empty when it cannot be read; writing makes the
// folders above it.
std::string read_bytes(const std::wstring& file);
void write_bytes(const std::wstring& file, const std::string& bytes);

// A UTF-16LE file's text as UTF-8 (the mark dropped).
std::string utf16le_text(const std::string& bytes);

} // namespace zintu::test
