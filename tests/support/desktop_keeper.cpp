// Keeps Wine's desktop process alive for a whole test run. Wine starts the
// desktop for the first program that opens a window and hands it that
// program's error output; when that program is a test, the test runner
// waits on the output for as long as the desktop lives. Started first, with
// its output going nowhere, this program is the one the desktop comes from.
// It holds a hidden window until it is ended; once the window (and with it
// the desktop) exists, it creates the file its command line names.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR ready, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "VeltraDesktopKeeper";
    RegisterClassA(&wc);
    if (!CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance,
                         nullptr))
        return 1;
    if (*ready)
        CloseHandle(CreateFileA(ready, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
