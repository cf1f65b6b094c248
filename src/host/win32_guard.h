// The exception guard around the saver's mode: a fault that nothing else
// handles switches the screen-saver-running state off and ends the process.
#pragma once

namespace zintu {

// Exit code of a process whose run ended in the guard: distinct from the
// modes' own codes (0, 1 from the dialog, -1 for a rejected command line).
inline constexpr int kExitFault = 2;

using GuardedBody = int (*)(const char* arguments);

// Runs `body` under the guard and returns its result. When a fault reaches
// the guard, the system's unhandled-exception filter is asked first; if it
// decides that the fault ends the program, the guard switches the
// screen-saver-running state off and ends the process with kExitFault.
int run_guarded(GuardedBody body, const char* arguments);

} // namespace zintu
