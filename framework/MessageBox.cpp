#include "MessageBox.h"

#include "WinApp.h"

std::string AfxGetAppTitle() {
    char path[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, n);
    if (auto slash = name.find_last_of("\\/"); slash != std::string::npos)
        name.erase(0, slash + 1);
    if (auto dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

int AfxMessageBox(const std::string& text, UINT type, UINT /*helpContext*/) {
    HWND owner = nullptr;
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        owner = app->m_pMainWnd->GetSafeHwnd();
    return MessageBoxA(owner, text.c_str(), AfxGetAppTitle().c_str(), type);
}
