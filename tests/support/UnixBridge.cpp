#include "UnixBridge.h"

#include "TempFolder.h"
#include "Wait.h"

#include <vector>

#ifndef VELTRA_TEST_SUPPORT_UNIX_DIR
#error "VELTRA_TEST_SUPPORT_UNIX_DIR must name the folder of the test helpers"
#endif

std::string UnixPathOf(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return "";
    int n = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    std::vector<WCHAR> wide(n);
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), n);
    char* unixPath = toUnix(wide.data());
    if (!unixPath)
        return "";
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::string WindowsPathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool RunUnix(const std::string& command, std::string* output, DWORD timeoutMs) {
    // Wine starts a Unix program without a handle to wait on, so the run
    // leaves its exit status in a file; `timeout` ends the command and
    // whatever it started when the time is up.
    TempFolder work;
    const std::string unixWork = UnixPathOf(work.path());
    if (unixWork.empty() || !WriteFileBytes(work.path() + "command.sh", command + "\n"))
        return false;
    const std::string script =
        "cd '" + unixWork + "' || exit 1\n" + "timeout -k 5 " +
        std::to_string(timeoutMs / 1000 + 1) +
        " /bin/sh command.sh > output 2>&1\necho $? > status.tmp && mv status.tmp status\n";
    if (!WriteFileBytes(work.path() + "run.sh", script))
        return false;
    std::string line = "start.exe /unix /bin/sh \"" + unixWork + "/run.sh\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string status;
    WaitUntil([&] { return ReadFileBytes(work.path() + "status", status) && !status.empty(); },
              timeoutMs + 15000);
    if (output)
        ReadFileBytes(work.path() + "output", *output);
    return status.rfind("0", 0) == 0 && (status.size() == 1 || status[1] == '\n');
}

std::string SupportFile(const std::string& name) {
    std::string path = VELTRA_TEST_SUPPORT_UNIX_DIR;
    return path.append("/").append(name);
}
