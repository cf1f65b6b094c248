// Termination signals turned into something a poll loop can wait for: the
// handler notes the signal and writes a byte into a pipe (the self-pipe
// trick), so a loop sleeping in poll wakes up and ends in an orderly way.
// Works whichever thread the signal lands on (GL drivers start threads of
// their own), and only async-signal-safe calls run in the handler.
#pragma once

#include <initializer_list>
#include <string>

namespace zintu {

// Installs the handler for each of `signals`. Call once, before any thread
// starts. On failure returns false with a one-line reason.
bool watch_signals(std::initializer_list<int> signals, std::string& error);

// The pipe's read end, readable once a watched signal has arrived.
int signal_wake_fd();

// The last watched signal that arrived, or 0; empties the pipe.
int caught_signal();

} // namespace zintu
