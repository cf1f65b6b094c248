// Feed sources: plain directories, and zip archives read through libzip one
// entry at a time, so that a big table is streamed rather than unpacked.
#include "feed_source.h"

#include "feed_error.h"

#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace zintu::gtfs {
namespace {

class DirectorySource : public FeedSource {
public:
    explicit DirectorySource(std::string path) : path_(std::move(path)) {}

    bool has(const std::string& name) const override {
        std::error_code error;
        const auto status = std::filesystem::status(std::filesystem::path(path_) / name, error);
        if (error && error != std::errc::no_such_file_or_directory)
            throw FeedError(display_name(name), 0, "cannot be read: " + error.message());
        return std::filesystem::is_regular_file(status);
    }
    std::unique_ptr<ByteSource> open(const std::string& name) const override {
        return open_file_source(display_name(name));
    }
    std::string display_name(const std::string& name) const override {
        return (std::filesystem::path(path_) / name).string();
    }

private:
    std::string path_;
};

using Archive = std::shared_ptr<zip_t>;

class ZipEntrySource : public ByteSource {
public:
    ZipEntrySource(Archive archive, zip_file_t* file, std::string name)
        : archive_(std::move(archive)), file_(file), name_(std::move(name)) {}
    ~ZipEntrySource() override { zip_fclose(file_); }
    ZipEntrySource(const ZipEntrySource&) = delete;
    ZipEntrySource& operator=(const ZipEntrySource&) = delete;

    size_t read(char* buffer, size_t size) override {
        const zip_int64_t got = zip_fread(file_, buffer, size);
        if (got < 0)
            throw FeedError(name_, 0, std::string("cannot read: ") + zip_file_strerror(file_));
        return static_cast<size_t>(got);
    }

private:
    Archive archive_; // keeps the archive open while the entry is read
    zip_file_t* file_;
    std::string name_;
};

class ZipSource : public FeedSource {
public:
    ZipSource(std::string path, Archive archive, std::string prefix)
        : path_(std::move(path)), archive_(std::move(archive)), prefix_(std::move(prefix)) {}

    bool has(const std::string& name) const override {
        return zip_name_locate(archive_.get(), (prefix_ + name).c_str(), 0) >= 0;
    }
    std::unique_ptr<ByteSource> open(const std::string& name) const override {
        const zip_int64_t index = zip_name_locate(archive_.get(), (prefix_ + name).c_str(), 0);
        zip_file_t* file =
            index < 0 ? nullptr
                      : zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0);
        if (file == nullptr)
            throw FeedError(display_name(name), 0,
                            std::string("cannot open: ") + zip_strerror(archive_.get()));
        return std::make_unique<ZipEntrySource>(archive_, file, display_name(name));
    }
    std::string display_name(const std::string& name) const override {
        return path_ + "/" + prefix_ + name;
    }

private:
    std::string path_;
    Archive archive_;
    std::string prefix_;
};

// The folder inside the archive that holds the tables: the root, or else the
// shallowest folder with a stops.txt.
std::string find_prefix(zip_t* archive) {
    if (zip_name_locate(archive, "stops.txt", 0) >= 0) return "";
    std::string best;
    bool found = false;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (raw == nullptr) continue;
        const std::string name = raw;
        const std::string suffix = "/stops.txt";
        if (name.size() <= suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        const std::string prefix = name.substr(0, name.size() - suffix.size() + 1);
        if (!found || prefix.size() < best.size() ||
            (prefix.size() == best.size() && prefix < best))
            best = prefix;
        found = true;
    }
    return best;
}

// A feed that exists but cannot be read is not a missing one: say why.
void check_readable(const std::string& path, bool directory) {
    std::error_code error;
    if (directory) {
        std::filesystem::directory_iterator listing(path, error);
    } else if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fclose(file);
    } else {
        error = std::error_code(errno, std::generic_category());
    }
    if (error) throw FeedError(path, 0, "cannot be read: " + error.message());
}

} // namespace

std::unique_ptr<FeedSource> open_feed_source(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error && error != std::errc::no_such_file_or_directory)
        throw FeedError(path, 0, "cannot be read: " + error.message());
    const bool directory = std::filesystem::is_directory(status);
    if (!directory && !std::filesystem::is_regular_file(status))
        throw FeedError(path, 0, "no such feed: neither a directory nor a zip file");
    check_readable(path, directory);
    if (directory) return std::make_unique<DirectorySource>(path);
    int code = 0;
    zip_t* raw = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (raw == nullptr) {
        zip_error_t zip_error;
        zip_error_init_with_code(&zip_error, code);
        const std::string message = zip_error_strerror(&zip_error);
        zip_error_fini(&zip_error);
        throw FeedError(path, 0, "cannot open as a zip archive: " + message);
    }
    Archive archive(raw, [](zip_t* a) { zip_discard(a); });
    std::string prefix = find_prefix(raw);
    return std::make_unique<ZipSource>(path, std::move(archive), std::move(prefix));
}

} // namespace zintu::gtfs
