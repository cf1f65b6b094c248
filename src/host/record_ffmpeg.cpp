// Videos through the `ffmpeg` program: raw RGB frames written to its standard
// input, the file written by it into the temporary file beside the target.
// The program runs in a process group of its own, so a Ctrl-C at the
// terminal reaches only this process, which ends it; its messages are kept
// aside and its last line quoted if it fails. SIGPIPE must be ignored by the
// caller: an ffmpeg that ends early shows as a failed write, never as this
// process killed.
#include "host/linux_files.h"
#include "host/record_sinks.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace zintu {
namespace {

constexpr const char* kProgram = "ffmpeg";
constexpr int kPipeBytes = 1 << 20; // Linux's default pipe-max-size

struct FfmpegState {
    std::string path;
    RecordFileFormat format = RecordFileFormat::Mp4;
    PendingFile pending;
    pid_t child = -1;
    int input = -1;                // the pipe to its standard input
    std::FILE* messages = nullptr; // its standard error
    std::size_t frame_bytes = 0;
};

// The program's file in PATH (the system's default path when PATH is unset;
// an empty entry is the current folder), or empty.
std::optional<std::string> find_program(const char* name) {
    std::string search;
    if (const char* path = std::getenv("PATH")) {
        search = path;
    } else {
        search.resize(confstr(_CS_PATH, nullptr, 0));
        confstr(_CS_PATH, search.data(), search.size());
        search.resize(std::strlen(search.c_str()));
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = search.find(':', start);
        std::string folder = search.substr(start, end - start);
        const std::string file = (folder.empty() ? "." : folder) + "/" + name;
        struct stat info {};
        if (stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(file.c_str(), X_OK) == 0) {
            return file;
        }
        if (end == std::string::npos) return std::nullopt;
        start = end + 1;
    }
}

std::vector<std::string> arguments(const FfmpegState& s, const RecordFormat& format) {
    std::vector<std::string> args = {kProgram,
                                     "-hide_banner",
                                     "-nostdin",
                                     "-loglevel",
                                     "error",
                                     "-f",
                                     "rawvideo",
                                     "-pix_fmt",
                                     "rgb24",
                                     "-video_size",
                                     std::to_string(format.width) + "x" +
                                         std::to_string(format.height),
                                     "-framerate",
                                     std::to_string(format.fps),
                                     "-i",
                                     "pipe:0"};
    const std::vector<std::string> codec = [&]() -> std::vector<std::string> {
        switch (s.format) {
        case RecordFileFormat::WebM:
            return {"-c:v",    "libvpx-vp9", "-pix_fmt",  "yuv420p",  "-crf",      "32",
                    "-b:v",    "0",          "-deadline", "realtime", "-cpu-used", "8",
                    "-row-mt", "1",          "-f",        "webm"};
        case RecordFileFormat::Mkv:
            return {"-c:v", "ffv1", "-level", "3", "-pix_fmt", "bgr0", "-f", "matroska"};
        default:
            return {"-c:v",     "libx264", "-preset",   "veryfast",   "-crf", "20",
                    "-pix_fmt", "yuv420p", "-movflags", "+faststart", "-f",   "mp4"};
        }
    }();
    args.insert(args.end(), codec.begin(), codec.end());
    // yuv420p halves the chroma both ways, so H.264 needs even sides: an odd
    // one gets a white column or row, the map's background.
    if (s.format == RecordFileFormat::Mp4 && (format.width % 2 != 0 || format.height % 2 != 0)) {
        args.insert(args.end(), {"-vf", "pad=ceil(iw/2)*2:ceil(ih/2)*2:color=white"});
    }
    args.push_back("-y");
    args.push_back(s.pending.temp);
    return args;
}

// The last line ffmpeg wrote on its standard error, or empty.
std::string last_message(std::FILE* messages) {
    if (messages == nullptr) return "";
    std::rewind(messages);
    std::string last, line;
    for (int c; (c = std::fgetc(messages)) != EOF;) {
        if (c == '\n') {
            if (!line.empty()) last = line;
            line.clear();
        } else if (line.size() < 300) {
            line.push_back(static_cast<char>(c));
        }
    }
    return line.empty() ? last : line;
}

// Waits for ffmpeg; true when it ended with status 0. `why` says how it ended.
bool wait_for(FfmpegState& s, std::string& why) {
    if (s.child < 0) return false;
    int status = 0;
    while (waitpid(s.child, &status, 0) < 0 && errno == EINTR) {
    }
    s.child = -1;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    why = WIFEXITED(status) ? "with status " + std::to_string(WEXITSTATUS(status))
                            : "by signal " + std::to_string(WTERMSIG(status));
    const std::string said = last_message(s.messages);
    if (!said.empty()) why += ": " + said;
    return false;
}

void close_input(FfmpegState& s) {
    if (s.input >= 0) close(s.input);
    s.input = -1;
}

void release(FfmpegState& s) {
    close_input(s);
    if (s.child > 0) {
        kill(s.child, SIGKILL);
        std::string ignored;
        wait_for(s, ignored);
    }
    if (s.messages != nullptr) std::fclose(s.messages);
    s.messages = nullptr;
    discard_pending_file(s.pending);
}

bool begin(FfmpegState& s, const RecordFormat& format, std::string& error) {
    const std::optional<std::string> program = find_program(kProgram);
    if (!program) {
        error = "recording a video needs the ffmpeg program, which is not installed (Debian "
                "package: ffmpeg); .gif and .webp need nothing more";
        return false;
    }
    if (!open_pending_file(s.path, s.pending, error)) return false;
    s.frame_bytes = static_cast<std::size_t>(format.width) * format.height * 3;
    s.messages = std::tmpfile();
    int pipe_ends[2];
    if (s.messages == nullptr || pipe2(pipe_ends, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        return false;
    }
    s.input = pipe_ends[1];
    // A frame is megabytes: the largest pipe an unprivileged process may ask
    // for takes one in a few writes instead of dozens of 64 KiB turns.
    fcntl(s.input, F_SETPIPE_SZ, kPipeBytes);
    const std::vector<std::string> args = arguments(s, format);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, pipe_ends[0], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&files, fileno(s.messages), STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, none;
    sigemptyset(&defaults);
    for (int signal_number : {SIGPIPE, SIGINT, SIGTERM, SIGHUP})
        sigaddset(&defaults, signal_number);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK |
                                              POSIX_SPAWN_SETPGROUP);
    const int spawned =
        posix_spawn(&s.child, program->c_str(), &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    close(pipe_ends[0]);
    if (spawned != 0) {
        s.child = -1;
        error = "cannot start " + *program + ": " + std::strerror(spawned);
        return false;
    }
    return true;
}

bool frame(FfmpegState& s, const RecordedFrame& frame, std::string& error) {
    const int write_errno = write_all(s.input, frame.rgb, s.frame_bytes);
    if (write_errno == 0) return true;
    close_input(s);
    std::string why;
    if (write_errno == EPIPE && !wait_for(s, why)) {
        error = "ffmpeg ended early, " + why;
    } else {
        error = std::string("cannot hand a frame to ffmpeg: ") + std::strerror(write_errno);
    }
    return false;
}

bool finish(FfmpegState& s, std::string& error) {
    close_input(s);
    std::string why;
    if (!wait_for(s, why)) {
        error = "ffmpeg could not write '" + s.path + "': it ended " + why;
        release(s);
        return false;
    }
    if (s.messages != nullptr) std::fclose(s.messages);
    s.messages = nullptr;
    return commit_pending_file(s.pending, error);
}

} // namespace

FrameSink make_ffmpeg_sink(const std::string& path, RecordFileFormat format) {
    auto state = std::make_shared<FfmpegState>();
    state->path = path;
    state->format = format;
    return {[state](const RecordFormat& f, std::string& error) { return begin(*state, f, error); },
            [state](const RecordedFrame& f, std::string& error) { return frame(*state, f, error); },
            [state](std::string& error) { return finish(*state, error); },
            [state] { release(*state); }};
}

} // namespace zintu
