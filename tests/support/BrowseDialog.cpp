#include "BrowseDialog.h"

#include "Trees.h"
#include "Wait.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

namespace {

constexpr UINT kAnswerMs = 5000;

// A block of memory in the dialog's process that a message can point into:
// the tree view and the browse dialog read and write their arguments there.
class DialogMemory {
public:
    DialogMemory(HWND window, size_t size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        m_process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process)
            m_address = static_cast<char*>(
                VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~DialogMemory() {
        if (m_address)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    DialogMemory(const DialogMemory&) = delete;
    DialogMemory& operator=(const DialogMemory&) = delete;

    char* at(size_t offset) const { return m_address + offset; }
    bool Write(size_t offset, const void* data, size_t size) {
        return m_address && WriteProcessMemory(m_process, at(offset), data, size, nullptr);
    }
    bool Read(size_t offset, void* data, size_t size) {
        return m_address && ReadProcessMemory(m_process, at(offset), data, size, nullptr);
    }

private:
    HANDLE m_process = nullptr;
    char* m_address = nullptr;
};

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs, &result);
    return static_cast<LRESULT>(result);
}

HWND TreeOf(HWND browse) {
    HWND tree = FindWindowExA(browse, nullptr, "SysTreeView32", nullptr);
    for (HWND child = GetWindow(browse, GW_CHILD); !tree && child;
         child = GetWindow(child, GW_HWNDNEXT))
        tree = FindWindowExA(child, nullptr, "SysTreeView32", nullptr);
    return tree;
}

std::string ItemText(HWND tree, HTREEITEM item, DialogMemory& memory) {
    constexpr size_t kTextAt = sizeof(TVITEMA);
    char text[MAX_PATH] = {};
    TVITEMA request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = memory.at(kTextAt);
    request.cchTextMax = MAX_PATH;
    if (!memory.Write(0, &request, sizeof request) || !memory.Write(kTextAt, text, sizeof text) ||
        !Ask(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory.at(0))) ||
        !memory.Read(kTextAt, text, sizeof text - 1))
        return "";
    return text;
}

bool EndsWith(const std::vector<std::string>& names, const std::vector<std::string>& tail) {
    return names.size() >= tail.size() &&
           std::equal(tail.begin(), tail.end(), names.end() - tail.size());
}

} // namespace

void SettleAccessTimes(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        ListFolder(path.substr(0, at + 1));
}

std::vector<std::string> BrowseSelection(HWND browse) {
    std::vector<std::string> names;
    HWND tree = TreeOf(browse);
    DialogMemory memory(browse, sizeof(TVITEMA) + MAX_PATH);
    if (!tree)
        return names;
    for (auto item = reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)); item;
         item = reinterpret_cast<HTREEITEM>(
             Ask(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item))))
        names.insert(names.begin(), ItemText(tree, item, memory));
    return names;
}

std::string ShellNameOf(const std::string& path) {
    SHFILEINFOA info{};
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    return info.szDisplayName;
}

std::string ShellNameOf(LPCITEMIDLIST item) {
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<const char*>(item), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_DISPLAYNAME);
    return info.szDisplayName;
}

bool SelectInBrowseDialog(HWND browse, const std::string& folder, DWORD ms) {
    // The names of the drive and of each folder on the way down.
    std::vector<std::string> shown;
    std::string path = folder;
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
        shown.push_back(ShellNameOf(path.substr(0, at + 1)));

    DialogMemory memory(browse, folder.size() + 1);
    if (!memory.Write(0, folder.c_str(), folder.size() + 1))
        return false;
    return WaitUntil(
        [&] {
            if (EndsWith(BrowseSelection(browse), shown))
                return true;
            Ask(browse, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(memory.at(0)));
            return EndsWith(BrowseSelection(browse), shown);
        },
        ms);
}
