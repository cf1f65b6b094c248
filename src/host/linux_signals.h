// Termination signals turned into something a poll loop can wait for: the
// handler notes the signal and writes a byte into a pipe (the self-pipe
// trick), so a loop sleeping in poll wakes up and ends in an orderly way, and
// the process then ends by that same signal, as its parent expects of a
// program it stops with one. Works whichever thread the signal lands on (GL
// drivers start threads of their own), and only async-signal-safe calls run
// in the handler. A signal the process inherited as ignored (a background job
// of a script ignores SIGINT) stays ignored.
#pragma once

#include <initializer_list>
#include <string>

namespace zintu {

// Installs the handler for each of `signals` that is not ignored already.
// Call once, before any thread starts. On failure returns false with a
// one-line reason.
bool watch_signals(std::initializer_list<int> signals, std::string& error);

// The pipe's read end, readable once a watched signal has arrived.
int signal_wake_fd();

// The last watched signal that arrived, or 0; empties the pipe.
int caught_signal();

// Ends the process by `signal_number`'s default action (its parent sees it
// terminated by that signal): restores the default disposition, unblocks the
// signal and raises it. Call after the clean-up the signal interrupted.
[[noreturn]] void end_by_signal(int signal_number);

} // namespace zintu
