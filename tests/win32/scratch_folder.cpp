// A scratch folder and plain file access for the Windows tests.
#include "scratch_folder.h"

#include "host/win32_text.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>

namespace zintu::test {

ScratchFolder::ScratchFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"zintu-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64());
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    std::wstring from = path_ + L'\0'; // a list of paths, ended by an empty one
    SHFILEOPSTRUCTW remove{};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_NO_UI;
    SHFileOperationW(&remove);
}

std::string read_bytes(const std::wstring& file) {
    std::string bytes;
    if (std::FILE* f = _wfopen(file.c_str(), L"rb")) {
        char piece[4096];
        for (std::size_t n; (n = std::fread(piece, 1, sizeof piece, f)) > 0;)
            bytes.append(piece, n);
        std::fclose(f);
    }
    return bytes;
}

void write_bytes(const std::wstring& file, const std::string& bytes) {
    SHCreateDirectoryExW(nullptr, file.substr(0, file.find_last_of(L'\\')).c_str(), nullptr);
    if (std::FILE* f = _wfopen(file.c_str(), L"wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

std::string utf16le_text(const std::string& bytes) {
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8));
    return narrow(text);
}

} // namespace zintu::test
