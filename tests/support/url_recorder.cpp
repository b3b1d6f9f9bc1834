// Stands in for the web browser in UI tests: registered in the test's Wine
// prefix as the program that opens web addresses and HTML files, it appends
// the command line it was given to the file named by VELTRA_URL_LOG. A
// windows program that goes idle at once: the shell waits for the program
// it started to become idle before it returns.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    char log[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("VELTRA_URL_LOG", log, sizeof log))
        return 1;
    FILE* f = std::fopen(log, "ab");
    if (!f)
        return 1;
    std::fprintf(f, "%s\n", GetCommandLineA());
    std::fclose(f);
    return 0;
}
