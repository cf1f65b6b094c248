// Everything the Windows saver keeps per process, in one object: what the
// process entry notes, the GL host's window and context, and the saver
// window's state. Window procedures take no context of their own, so this
// lives in one global, `win32`.
#pragma once

#include "app/host_sequence.h"
#include "app/saver_rules.h"

#include <windows.h>

#include <imm.h>

#include <cstdint>
#include <string>

namespace zintu {

// The GL host serves exactly one window.
struct HostState {
    HWND host_window = nullptr;
    int32_t client_width = 0; // client rectangle at WM_CREATE; never updated
    int32_t client_height = 0;
    HDC host_dc = nullptr;
    HGLRC host_glrc = nullptr;
    // The application's registration, called first on WM_CREATE.
    RegisterCallbacks register_callbacks = nullptr;
    // The stage every message goes on to after the host's own work; the saver
    // sets its default procedure here. Null means DefWindowProcW.
    WNDPROC next_stage = nullptr;
    // The frame timer's period as last set (0: stopped), and whether the
    // display is off, when no frame is drawn.
    UINT frame_period = 0;
    bool display_off = false;
    HPOWERNOTIFY display_notify = nullptr;
};

using VerifyPasswordFn = BOOL(WINAPI*)(HWND window);
using ImmAssociateContextFn = HIMC(WINAPI*)(HWND window, HIMC context);

// One saver window per process.
struct SaverState {
    HWND saver_window = nullptr;
    HWND preview_parent = nullptr; // the window a preview was made in
    int32_t preview_mode = 0;
    int32_t close_approved = 0;
    int32_t verifying_password = 0;
    ScreenPoint saved_cursor_pos;
    uint32_t mouse_move_threshold = zintu::mouse_move_threshold;
    uint32_t last_verify_end = kNeverVerified;
    UINT autoplay_message = 0;
    HMODULE password_module = nullptr;
    VerifyPasswordFn verify_password = nullptr;
    HMODULE imm_module = nullptr;
    ImmAssociateContextFn imm_associate = nullptr;
    HIMC saved_input_context = nullptr;
};

struct Win32State {
    // Set by the process entry before any saver window exists.
    HINSTANCE module_instance = nullptr;
    int32_t windows95_family = 0; // platform identifier 1 from the version query
    // The name of the network built into the program, which the dialog shows
    // for the built-in choice.
    std::string builtin_network_name;
    HostState host;
    SaverState saver;
};

extern Win32State win32;

} // namespace zintu
