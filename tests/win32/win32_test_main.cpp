// Entry of the Windows test program: the saver's module is this program, whose
// resources hold the same dialog template and string table as zintu.scr.
#include "host/win32_saver_window.h"

#include <gtest/gtest.h>
#include <windows.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    zintu::win32.module_instance = GetModuleHandleA(nullptr);
    // Wine loads its display driver with the first window; cursor moves made
    // before that would not reach the display.
    DestroyWindow(
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    return RUN_ALL_TESTS();
}
