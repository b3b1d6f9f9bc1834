#include "ProcessGauge.h"

#include "UnixBridge.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <vector>

#ifndef GDI_PROBE_UNIX_PATH
#error "GDI_PROBE_UNIX_PATH must name gdi_probe.dll"
#endif

namespace {

// One row of the system's handle list (SystemHandleInformation, class 16).
struct SystemHandleRow {
    ULONG owner_pid;
    BYTE object_type;
    BYTE flags;
    USHORT value;
    PVOID object;
    ULONG access;
};

// Wine answers GetProcessHandleCount with 0 for every process, but it does
// list every handle in the system with its owner: count those of `pid`.
DWORD CountHandlesInSystemList(DWORD pid) {
    std::vector<char> buffer(1 << 22);
    for (;;) {
        ULONG needed = 0;
        NTSTATUS status =
            NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                     static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0)
            break;
        if (buffer.size() >= (1u << 28))
            return 0;
        buffer.resize(buffer.size() * 2);
    }
    ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
    const auto* rows = reinterpret_cast<const SystemHandleRow*>(buffer.data() + sizeof(ULONG_PTR));
    DWORD mine = 0;
    for (ULONG i = 0; i < count; ++i)
        mine += rows[i].owner_pid == pid;
    return mine;
}

} // namespace

double TimedText(HWND window, std::string* text, UINT limitMs) {
    char buffer[1024] = {};
    DWORD_PTR copied = 0;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    LRESULT answered =
        SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                            SMTO_ABORTIFHUNG, limitMs, &copied);
    QueryPerformanceCounter(&end);
    if (!answered)
        return -1;
    if (text)
        *text = buffer;
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

ProcessGauge GaugeProcess(DWORD pid) {
    ProcessGauge gauge;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return gauge;
    if (!GetProcessHandleCount(process, &gauge.handles) || gauge.handles == 0)
        gauge.handles = CountHandlesInSystemList(pid);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        gauge.working_set = memory.WorkingSetSize;
        gauge.peak_working_set = memory.PeakWorkingSetSize;
        gauge.private_bytes = memory.PrivateUsage;
    }
    CloseHandle(process);
    return gauge;
}

namespace {

// Runs `start(parameter)` on a new thread of `process`; its exit code, or
// -1 when it could not run.
long long RunRemote(HANDLE process, LPTHREAD_START_ROUTINE start, LPVOID parameter) {
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, parameter, 0, nullptr);
    if (!thread)
        return -1;
    DWORD code = 0;
    bool ok =
        WaitForSingleObject(thread, 60000) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return ok ? code : -1;
}

HMODULE RemoteModule(HANDLE process, const char* name) {
    HMODULE modules[1024];
    DWORD needed = 0;
    if (!EnumProcessModules(process, modules, sizeof modules, &needed))
        return nullptr;
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 1024; ++i) {
        char base[MAX_PATH] = {};
        GetModuleBaseNameA(process, modules[i], base, MAX_PATH);
        if (lstrcmpiA(base, name) == 0)
            return modules[i];
    }
    return nullptr;
}

} // namespace

int FreeGdiSlotsOf(DWORD pid) {
    const char* const kProbe = "gdi_probe.dll";
    std::string path = WindowsPathOf(GDI_PROBE_UNIX_PATH);
    HMODULE local = LoadLibraryA(path.c_str());
    if (!local)
        return -1;
    auto* localStart = reinterpret_cast<char*>(GetProcAddress(local, "FreeGdiSlotsThread"));
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
    if (!process || !localStart)
        return -1;
    int result = -1;
    HMODULE remote = RemoteModule(process, kProbe);
    if (!remote) {
        // Load it there once; it stays for the process's life.
        void* text = VirtualAllocEx(process, nullptr, path.size() + 1, MEM_COMMIT, PAGE_READWRITE);
        if (text && WriteProcessMemory(process, text, path.c_str(), path.size() + 1, nullptr)) {
            auto* load = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
                GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
            RunRemote(process, load, text);
        }
        if (text)
            VirtualFreeEx(process, text, 0, MEM_RELEASE);
        remote = RemoteModule(process, kProbe);
    }
    if (remote) {
        char* remoteStart =
            reinterpret_cast<char*>(remote) + (localStart - reinterpret_cast<char*>(local));
        result = static_cast<int>(
            RunRemote(process, reinterpret_cast<LPTHREAD_START_ROUTINE>(remoteStart), nullptr));
    }
    CloseHandle(process);
    return result;
}

int ThreadCount() {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}
