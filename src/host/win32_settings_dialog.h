// The configuration dialog of the Windows saver (template 2003): the speed
// and focus choices, and the Network group with the network file and the
// colours.
#pragma once

#include <windows.h>

namespace zintu {

// Dialog procedure of template 2003. Ends the dialog with 1 after OK has
// saved every choice, and with 0 on Cancel, Escape or the close button,
// which save nothing.
INT_PTR CALLBACK settings_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Registers the dialog's window classes (there are none) and returns TRUE.
BOOL WINAPI register_dialog_hook(HINSTANCE instance);

} // namespace zintu
