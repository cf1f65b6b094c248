// Process entry of zintu.scr: the runtime's WinMain ignores its arguments and
// hands over to saver_entry, which reads the command line itself and ends the
// process with the mode's result, so no end-of-program processing runs.
#include "app/app.h"
#include "host/wgl_context.h"
#include "host/wgl_font.h"
#include "host/win32_modes.h"
#include "host/win32_saver_args.h"
#include "host/win32_settings.h"
#include "host/win32_state.h"

#include <windows.h>

namespace zintu {
namespace {

const char* char_next(const char* text) {
    return CharNextA(text);
}

[[noreturn]] void saver_entry() {
    start_app({read_win32_settings, make_wgl_font, system_time, wgl_map_store});
    win32.host.register_callbacks = register_host_callbacks;
    const char* arguments = isolate_saver_arguments(GetCommandLineA(), char_next);
    const int code = saver_main(GetModuleHandleA(nullptr), arguments);
    ExitProcess(static_cast<UINT>(code));
}

} // namespace
} // namespace zintu

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    zintu::saver_entry();
}
