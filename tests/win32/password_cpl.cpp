// A stand-in for the password control panel module, built as PASSWORD.CPL
// beside the Windows test program: its verifier answers a value the tests
// recognise.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND) {
    return 7;
}
