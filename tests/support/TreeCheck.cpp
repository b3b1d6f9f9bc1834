#include "TreeCheck.h"

#include "TempFolder.h"

#include <windows.h>

void CountTree(const std::string& folder, int* files, double* bytes) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CountTree(folder + name + "\\", files, bytes);
        } else {
            *files += 1;
            *bytes += data.nFileSizeHigh * 4294967296.0 + data.nFileSizeLow;
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

std::string UnixPath(const std::string& windowsPath) {
    using Convert = char*(CDECL*)(LPCWSTR);
    auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return "";
    int n = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), n);
    char* unix = convert(wide.c_str());
    if (!unix)
        return "";
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

bool RunUnixCommand(const std::string& command, DWORD timeout_ms) {
    // Wine's start.exe /unix runs a Unix program without waiting for it: the
    // command writes its exit status to a marker file, which we wait for.
    TempFolder scratch;
    std::string marker = scratch.path() + "status";
    std::string unixMarker = UnixPath(marker);
    if (unixMarker.empty())
        return false;
    std::string script = command + "; echo $? > '" + unixMarker + ".tmp'; mv '" + unixMarker +
                         ".tmp' '" + unixMarker + "'";
    std::string line = "start.exe /unix /bin/sh -c \"" + script + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DWORD start = GetTickCount();
    while (!FileExists(marker) && GetTickCount() - start < timeout_ms)
        Sleep(100);
    std::string status;
    return ReadFileBytes(marker, status) && status.rfind("0", 0) == 0;
}
