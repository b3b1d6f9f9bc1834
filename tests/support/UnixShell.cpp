#include "UnixShell.h"

#include "TempFolder.h"

#include <windows.h>

#include <vector>

std::string UnixPathOf(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return {};
    std::vector<WCHAR> wide(windowsPath.size() + 1);
    ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(),
                          static_cast<int>(wide.size()));
    char* unixPath = toUnix(wide.data());
    if (!unixPath)
        return {};
    std::string result = unixPath;
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

std::string ZDrivePath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool RunUnixScript(const std::string& script, const std::string& workFolder, std::string& output,
                   int timeoutMs) {
    const std::string unixFolder = UnixPathOf(workFolder);
    if (unixFolder.empty())
        return false;
    const std::string done = workFolder + "script.done";
    ::DeleteFileA(done.c_str());
    const std::string body = "cd '" + unixFolder + "' || exit 1\n(\n" + script +
                             "\n) > script.out 2>&1\necho $? > script.done\n";
    if (!WriteFileBytes(workFolder + "script.sh", body))
        return false;

    std::string commandLine = "/bin/sh \"" + unixFolder + "/script.sh\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA("Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        return false;
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    if (process.hThread)
        ::CloseHandle(process.hThread);

    std::string status;
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (ReadFileBytes(done, status) && !status.empty()) {
            ReadFileBytes(workFolder + "script.out", output);
            return true;
        }
        ::Sleep(100);
    }
    return false;
}
