// The Windows host's DPI, read for the application's display scale.
#include "host/win32_dpi.h"

#include "app/display_scale.h"
#include "host/win32_state.h"

#include <windows.h>

namespace zintu {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND window);

// GetDpiForWindow where the system has it; looked up, not linked, so the
// saver still starts on systems without it.
GetDpiForWindowFn dpi_for_window() {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
}

} // namespace

double win32_display_scale() {
    const HWND window = win32.host.host_window;
    UINT dpi = 0;
    if (const GetDpiForWindowFn get_dpi = dpi_for_window(); get_dpi != nullptr && window != nullptr)
        dpi = get_dpi(window);
    if (dpi == 0) {
        const HDC dc = GetDC(window);
        dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
        ReleaseDC(window, dc);
    }
    ScaleSources sources;
    if (dpi > 0) sources.dpi = static_cast<double>(dpi);
    return display_scale(sources);
}

} // namespace zintu
