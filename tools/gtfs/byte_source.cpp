// Byte sources over plain files and memory.
#include "byte_source.h"

#include "feed_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zintu::gtfs {
namespace {

class FileSource : public ByteSource {
public:
    FileSource(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
    ~FileSource() override { std::fclose(file_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    size_t read(char* buffer, size_t size) override {
        const size_t got = std::fread(buffer, 1, size, file_);
        if (got == 0 && std::ferror(file_))
            throw FeedError(path_, 0, std::string("cannot read: ") + std::strerror(errno));
        return got;
    }

private:
    std::FILE* file_;
    std::string path_;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string text) : text_(std::move(text)) {}

    size_t read(char* buffer, size_t size) override {
        const size_t n = std::min(size, text_.size() - offset_);
        std::memcpy(buffer, text_.data() + offset_, n);
        offset_ += n;
        return n;
    }

private:
    std::string text_;
    size_t offset_ = 0;
};

} // namespace

std::unique_ptr<ByteSource> open_file_source(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        throw FeedError(path, 0, std::string("cannot open: ") + std::strerror(errno));
    return std::make_unique<FileSource>(file, path);
}

std::unique_ptr<ByteSource> memory_source(std::string text) {
    return std::make_unique<MemorySource>(std::move(text));
}

} // namespace zintu::gtfs
