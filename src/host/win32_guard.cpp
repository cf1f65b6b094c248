// Exception guard for the saver's mode dispatch.
//
// GCC offers no __try/__except, so the guard is built from what the platform
// offers with the same effect: a top-level exception filter installed for the
// length of the guarded run, which is what the system consults for a fault
// that no frame handled, and a terminate handler for a C++ exception that
// escapes (the saver throws none; the standard library could).
// Implements: run_guarded. Limits: one guarded run at a time (the filter is
// process-wide). Depends on: kernel32; set_saver_running of the saver window.
#include "host/win32_guard.h"

#include "host/win32_saver_window.h"

#include <windows.h>

#include <exception>

namespace zintu {
namespace {

LPTOP_LEVEL_EXCEPTION_FILTER filter_before_guard = nullptr;

[[noreturn]] void end_in_guard() {
    set_saver_running(0);
    ExitProcess(static_cast<UINT>(kExitFault));
}

LONG WINAPI guard_filter(EXCEPTION_POINTERS* fault) {
    // The system's filter calls the installed top-level filter itself; put the
    // previous one back first so that it does not come back here.
    SetUnhandledExceptionFilter(filter_before_guard);
    const LONG verdict = UnhandledExceptionFilter(fault);
    if (verdict != EXCEPTION_EXECUTE_HANDLER) return verdict;
    end_in_guard();
}

} // namespace

int run_guarded(GuardedBody body, const char* arguments) {
    filter_before_guard = SetUnhandledExceptionFilter(guard_filter);
    const std::terminate_handler terminate_before_guard = std::set_terminate(end_in_guard);
    const int result = body(arguments);
    std::set_terminate(terminate_before_guard);
    SetUnhandledExceptionFilter(filter_before_guard);
    return result;
}

} // namespace zintu
