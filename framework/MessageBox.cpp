#include "MessageBox.h"

#include "WinApp.h"

std::string AfxGetAppTitle() {
    // In UTF-8 the program's path may take more than MAX_PATH bytes: a cut
    // path would lose the file name itself.
    std::string name(MAX_PATH, '\0');
    DWORD n = 0;
    while ((n = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()))) ==
               name.size() &&
           name.size() < 32768)
        name.assign(name.size() * 2, '\0');
    name.resize(n);
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
