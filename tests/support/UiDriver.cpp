#include "UiDriver.h"

#include "ReportLines.h"
#include "UnixBridge.h"
#include "resource.h"

#include <stdexcept>

#ifndef VELTRA_EXE_UNIX_PATH
#error "VELTRA_EXE_UNIX_PATH must name the Veltra.exe under test"
#endif

namespace {

constexpr const char* kMainTitle = "Veltra (1.0b)";
constexpr UINT kTimeoutMs = 5000;
// What StartCopy leaves in the report panel until Start Copy empties it.
constexpr const char* kBeforeCopyMark = "(the test pressed Start Copy)";

struct FindRequest {
    DWORD pid;
    std::string caption;
    HWND exclude;
    HWND found;
    int count;
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
        request->count += 1;
    }
    return TRUE;
}

FindRequest FindOf(DWORD pid, const std::string& caption, HWND exclude) {
    FindRequest request{pid, caption, exclude, nullptr, 0};
    EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&request));
    return request;
}

BOOL CALLBACK AppendChildText(HWND child, LPARAM lParam) {
    *reinterpret_cast<std::string*>(lParam) += TextOf(child) + "\n";
    return TRUE;
}

} // namespace

std::string VeltraProcess::ExeFolder() {
    std::string exe = WindowsPathOf(VELTRA_EXE_UNIX_PATH);
    return exe.substr(0, exe.rfind('\\') + 1);
}

VeltraProcess::VeltraProcess(const std::vector<std::string>& environment, const std::string& exe,
                             const std::string& folder) {
    for (const auto& pair : environment) {
        size_t eq = pair.find('=');
        SetEnvironmentVariableA(pair.substr(0, eq).c_str(), pair.substr(eq + 1).c_str());
    }
    std::string program = exe.empty() ? WindowsPathOf(VELTRA_EXE_UNIX_PATH) : exe;
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    BOOL started =
        CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &m_info);
    for (const auto& pair : environment)
        SetEnvironmentVariableA(pair.substr(0, pair.find('=')).c_str(), nullptr);
    if (!started)
        throw std::runtime_error("cannot start " + program);
    WaitForInputIdle(m_info.hProcess, 20000);
    WaitUntil([&] { return (m_dialog = FindOf(pid(), kMainTitle, nullptr).found) != nullptr; },
              30000);
    if (!m_dialog) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 10000);
        CloseHandle(m_info.hThread);
        CloseHandle(m_info.hProcess);
        throw std::runtime_error("Veltra's main dialog did not appear");
    }
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
    WaitUntil([&] { return (found = FindOf(pid(), caption, m_dialog).found) != nullptr; }, ms);
    return found;
}

int VeltraProcess::CountWindows(const std::string& caption) const {
    return FindOf(pid(), caption, m_dialog).count;
}

bool VeltraProcess::WaitForWindowGone(HWND window, DWORD ms) const {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, ms);
}

bool VeltraProcess::WaitForExit(DWORD ms) const {
    return WaitForSingleObject(m_info.hProcess, ms) == WAIT_OBJECT_0;
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length))
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

std::string ChildTexts(HWND dialog) {
    std::string texts;
    EnumChildWindows(dialog, &AppendChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
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

void PressEnterIn(HWND control) {
    // Posted after the focus change, so the dialog manager meets Enter in it.
    PostMessageA(GetParent(control), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    PostMessageA(control, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(control, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

bool IsEnabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &state);
    return state == BST_CHECKED;
}

void SetChecked(HWND button, bool checked) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0,
                        SMTO_ABORTIFHUNG, kTimeoutMs, &ignored);
}

bool IsReadOnly(HWND edit) {
    return (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void StartCopy(VeltraProcess& app, const std::string& source, const std::string& destination) {
    SetTextOf(app.item(IDC_SOURCE_EDIT), source);
    SetTextOf(app.item(IDC_DESTINATION_EDIT), destination);
    SetTextOf(app.item(IDC_REPORT_EDIT), kBeforeCopyMark);
    Press(app.dialog(), IDC_START_COPY);
}

bool WaitForCopyComplete(VeltraProcess& app, DWORD ms) {
    // The summary is the last thing the completion writes; the dialog reads
    // the report for us only between two of its messages, so once it shows
    // the summary, the completion has been handled whole.
    return WaitUntil(
        [&] {
            if (TextOf(app.item(IDC_STATUS_TEXT)) != "Status: Folder copy complete")
                return false;
            std::string report = ReportOf(app);
            return report.rfind(kBeforeCopyMark, 0) != 0 &&
                   report.find(kSummaryRule) != std::string::npos;
        },
        ms);
}

std::string ReportOf(VeltraProcess& app) {
    return TextOf(app.item(IDC_REPORT_EDIT));
}

std::string AnswerAlert(VeltraProcess& app) {
    HWND alert = app.WaitForWindow("Veltra Alert");
    if (!alert)
        return "<no alert>";
    std::string text = TextOf(GetDlgItem(alert, IDC_ALERT_MESSAGE));
    Press(alert, IDOK);
    app.WaitForWindowGone(alert);
    return text;
}
