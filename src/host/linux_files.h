// Small-file input and output for the Linux program: whole small files read
// with a size limit, files replaced atomically, and folders created on demand.
// Every failure comes back as a one-line reason, never as an exception.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

namespace zintu {

enum class ReadStatus { Ok, Missing, Failed };

// Reads the whole of `path` into `out` (bytes as they are, NULs included).
// Missing: there is no such file. Failed: it cannot be read, is not a regular
// file, or is larger than `limit` bytes; `error` says which.
ReadStatus read_small_file(const std::string& path, std::size_t limit, std::string& out,
                           std::string& error);

// Replaces `path` with what `fill` writes: into a temporary file in the same
// folder, flushed to disk and renamed over `path`, so readers see the old file
// or the new one, never a part. A symbolic link (or a chain of them) is
// followed and the file at its end replaced, or created, in that file's own
// folder; the link stays. An existing file keeps its permissions (and, where
// the process may set them, its owner and group); one without any write
// permission is refused as read-only. A new file gets the permissions the
// umask allows. On failure returns false with a one-line reason in `error`
// and leaves no temporary file; `fill` returning false counts as a failure
// with `fill_error` as its reason.
bool write_file_atomically(const std::string& path, const std::function<bool(std::FILE*)>& fill,
                           const std::string& fill_error, std::string& error);

// A file being written in the place of another: a temporary file beside the
// target, renamed over it once complete.
struct PendingFile {
    std::string path;   // as the caller named it, for messages
    std::string target; // the file replaced: the end of `path`'s links
    std::string temp;   // the temporary file, open on `fd`
    int fd = -1;
    unsigned mode = 0; // the permissions the target gets
};

// Opens a temporary file for `path`, as write_file_atomically does (links
// followed, a read-only target refused). False with a one-line reason when
// it cannot be made.
bool open_pending_file(const std::string& path, PendingFile& pending, std::string& error);

// Flushes the temporary file to disk, closes it and renames it over the
// target; on failure removes it and returns false with a one-line reason.
bool commit_pending_file(PendingFile& pending, std::string& error);

// Closes and removes the temporary file, if any.
void discard_pending_file(PendingFile& pending);

// Writes all `size` bytes to `fd`, again after an interrupted or short
// write; 0, or the error that stopped it (EIO for a write of nothing).
int write_all(int fd, const void* bytes, std::size_t size);

// Creates `dir` and its missing parents, each readable by its owner only.
bool make_directories(const std::string& dir, std::string& error);

} // namespace zintu
