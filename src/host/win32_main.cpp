// Process entry of zintu.scr: the runtime's wWinMain ignores its arguments
// and hands over to saver_entry, which reads the wide command line itself and
// ends the process with the mode's result, so no end-of-program processing
// runs.
#include "app/app.h"
#include "host/network_choice.h"
#include "host/wgl_context.h"
#include "host/wgl_font.h"
#include "host/win32_dpi.h"
#include "host/win32_modes.h"
#include "host/win32_monitors.h"
#include "host/win32_saver_args.h"
#include "host/win32_settings.h"
#include "host/win32_state.h"
#include "host/win32_text.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace zintu {
namespace {

// The network saved in the settings, or the built-in one. A saved file that
// cannot be used never stops the saver; a saver has no console, so the reason
// goes to the debug output.
void choose_saver_network(const Settings& settings) {
    static LoadedNetwork loaded; // lives as long as the process, as the network must
    std::string message;
    const std::optional<Network> network =
        choose_network(std::nullopt, settings.network, loaded, message);
    if (!message.empty()) OutputDebugStringW(widen("zintu: " + message + "\n").c_str());
    use_network(app().sim, network.value_or(compiled_network()));
}

[[noreturn]] void saver_entry() {
    win32.builtin_network_name = std::string(compiled_network().info.name);
    const Settings settings = read_win32_settings();
    choose_saver_network(settings);
    PlatformServices services{[settings] { return settings; }, make_wgl_font, system_time,
                              wgl_map_store, win32_display_scale};
    services.monitors = win32_monitors;
    start_app(std::move(services));
    win32.host.register_callbacks = register_host_callbacks;
    // Converted once: the argument rules work on UTF-8 bytes.
    const std::string command_line = narrow(GetCommandLineW());
    const int code =
        saver_main(GetModuleHandleW(nullptr), isolate_saver_arguments(command_line.c_str()));
    ExitProcess(static_cast<UINT>(code));
}

} // namespace
} // namespace zintu

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    zintu::saver_entry();
}
