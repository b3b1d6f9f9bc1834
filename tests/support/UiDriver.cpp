#include "UiDriver.h"

#include <stdexcept>

#ifndef VELTRA_EXE_UNIX_PATH
#error "VELTRA_EXE_UNIX_PATH must name the Veltra.exe under test"
#endif

namespace {

constexpr const char* kMainTitle = "Veltra (1.0b)";
constexpr UINT kTimeoutMs = 5000;

struct FindRequest {
    DWORD pid;
    std::string caption;
    HWND exclude;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND hwnd, LPARAM lParam) {
    auto* request = reinterpret_cast<FindRequest*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != request->pid || hwnd == request->exclude || !IsWindowVisible(hwnd))
        return TRUE;
    char caption[512] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (request->caption == caption) {
        request->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindOf(DWORD pid, const std::string& caption, HWND exclude) {
    FindRequest request{pid, caption, exclude, nullptr};
    EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

} // namespace

std::string WindowsPathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string VeltraProcess::ExeFolder() {
    std::string exe = WindowsPathOf(VELTRA_EXE_UNIX_PATH);
    return exe.substr(0, exe.rfind('\\') + 1);
}

VeltraProcess::VeltraProcess(const std::vector<std::string>& environment) {
    for (const auto& pair : environment) {
        size_t eq = pair.find('=');
        SetEnvironmentVariableA(pair.substr(0, eq).c_str(), pair.substr(eq + 1).c_str());
    }
    std::string exe = WindowsPathOf(VELTRA_EXE_UNIX_PATH);
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &m_info))
        throw std::runtime_error("cannot start " + exe);
    for (const auto& pair : environment)
        SetEnvironmentVariableA(pair.substr(0, pair.find('=')).c_str(), nullptr);
    WaitForInputIdle(m_info.hProcess, 20000);
    WaitUntil([&] { return (m_dialog = FindOf(pid(), kMainTitle, nullptr)) != nullptr; }, 30000);
    if (!m_dialog)
        throw std::runtime_error("Veltra's main dialog did not appear");
}

VeltraProcess::~VeltraProcess() {
    if (!HasExited()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 10000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

HWND VeltraProcess::WaitForWindow(const std::string& caption, DWORD ms) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindOf(pid(), caption, m_dialog)) != nullptr; }, ms);
    return found;
}

bool VeltraProcess::WaitForWindowGone(HWND window, DWORD ms) const {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, ms);
}

bool VeltraProcess::WaitForExit(DWORD ms) const {
    return WaitForSingleObject(m_info.hProcess, ms) == WAIT_OBJECT_0;
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs,
                             &length))
        return "<no answer>";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

void SetTextOf(HWND window, const std::string& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kTimeoutMs, &ignored);
}

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressEscape(HWND dialog) {
    // The dialog manager turns Escape in any of its controls into IDCANCEL.
    HWND target = GetWindow(dialog, GW_CHILD);
    PostMessageA(target ? target : dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(target ? target : dialog, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &state);
    return state == BST_CHECKED;
}

bool IsReadOnly(HWND edit) { return (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0; }
