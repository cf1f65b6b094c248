// The screen saver's modes: the dispatch of the first switch to the settings
// dialog, the full-screen saver, the preview and the password change.
#pragma once

#include <windows.h>

namespace zintu {

// Stores the module, notes the platform family and runs the mode that the
// argument text selects, under the exception guard. Returns the exit code.
int saver_main(HINSTANCE module_instance, const char* arguments);

// The mode dispatch itself, without guard or platform check.
int run_saver_mode(const char* arguments);

// A command-line window handle as a window: 32 significant bits, widened the
// way 64-bit Windows widens handles passed from 32-bit code.
HWND window_from_handle(unsigned long value);

int start_preview(const char* text);
int show_configure_dialog(HWND owner);
int change_password(const char* text);

} // namespace zintu
