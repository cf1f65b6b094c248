// The self-pipe behind watch_signals.
#include "host/linux_signals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace zintu {
namespace {

int wake_pipe[2] = {-1, -1};
std::atomic<int> last_signal{0};
static_assert(std::atomic<int>::is_always_lock_free);

void on_signal(int signal_number) {
    const int saved_errno = errno;
    last_signal.store(signal_number);
    const char byte = 1;
    // A full pipe already wakes the loop; the byte may be dropped.
    [[maybe_unused]] const ssize_t written = write(wake_pipe[1], &byte, 1);
    errno = saved_errno;
}

} // namespace

bool watch_signals(std::initializer_list<int> signals, std::string& error) {
    if (wake_pipe[0] < 0 && pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = std::string("cannot watch for signals: ") + std::strerror(errno);
        return false;
    }
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal_number : signals) {
        struct sigaction inherited {};
        if (sigaction(signal_number, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) {
            continue;
        }
        if (sigaction(signal_number, &action, nullptr) != 0) {
            error = std::string("cannot watch for signals: ") + std::strerror(errno);
            return false;
        }
    }
    return true;
}

int signal_wake_fd() {
    return wake_pipe[0];
}

int caught_signal() {
    if (last_signal.load() == 0) return 0;
    char drain[64];
    while (wake_pipe[0] >= 0 && read(wake_pipe[0], drain, sizeof drain) > 0) {
    }
    return last_signal.load();
}

void end_by_signal(int signal_number) {
    std::signal(signal_number, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal_number);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal_number);
    // Not reached for a signal whose default action ends the process.
    _exit(128 + signal_number);
}

} // namespace zintu
