// The saver window: its class, its two forms (full screen on top of everything
// or a preview child in another program's window), the single-instance rule,
// the message loop and the rules that turn input into a close request, with an
// optional password check on the Windows 95 family.
#pragma once

#include "host/win32_state.h"

#include <windows.h>

#include <cstdint>

namespace zintu {

inline constexpr wchar_t kSaverClassName[] = L"WindowsScreenSaverClass";
inline constexpr wchar_t kFullScreenTitle[] = L"Screen Saver";
inline constexpr wchar_t kPreviewTitle[] = L"Preview";
inline constexpr wchar_t kAutoplayMessageName[] = L"QueryCancelAutoPlay";
inline constexpr UINT kSaverClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
inline constexpr DWORD kFullScreenStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
inline constexpr DWORD kFullScreenExStyle = WS_EX_TOPMOST;
inline constexpr DWORD kPreviewStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
// Exit code when the window class cannot be registered or the window made.
inline constexpr int kExitNoSaverWindow = -1;

enum class SaverOpen { AnotherInstance, Failed, Created };

// Steps of run_saver up to and including the window's creation.
SaverOpen open_saver_window(HWND parent);

// Runs one saver window to its end; a null parent means the full-screen form.
int run_saver(HWND parent);

LRESULT CALLBACK saver_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK saver_default_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Non-zero when a close request may proceed.
BOOL verify_before_close(HWND window);

void load_password_verifier();
void release_password_verifier();

// Marks the screen saver as running (1) or not (0); Windows 95 family only.
void set_saver_running(int32_t on);

} // namespace zintu
