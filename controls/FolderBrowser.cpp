#include "FolderBrowser.h"

FolderBrowser::FolderBrowser(HWND owner) : m_szDisplayName{}, m_browseInfo{} {
    m_browseInfo.hwndOwner = owner;
    m_browseInfo.pidlRoot = nullptr;
    m_browseInfo.pszDisplayName = m_szDisplayName;
    m_browseInfo.lpszTitle = nullptr;
    // Resizable, and not limited to file-system folders: an item without a
    // path is refused after the choice instead.
    m_browseInfo.ulFlags = BIF_NEWDIALOGSTYLE;
    m_browseInfo.lpfn = nullptr;
    m_browseInfo.lParam = 0;
}

bool FolderBrowser::Browse(std::string title, std::string& path) {
    m_browseInfo.lpszTitle = title.c_str();
    m_pidl = ::SHBrowseForFolderA(&m_browseInfo);
    m_browseInfo.lpszTitle = nullptr; // the title goes with this call
    if (!m_pidl) {
        path.clear();
        return false;
    }

    IMalloc* shellMalloc = nullptr;
    const bool haveMalloc = ::SHGetMalloc(&shellMalloc) == S_OK;
    char buffer[MAX_PATH] = {};
    const bool converted = ::SHGetPathFromIDListA(m_pidl, buffer) != FALSE;
    path = converted ? buffer : "";
    if (haveMalloc) {
        shellMalloc->Free(m_pidl);
        shellMalloc->Release();
    }
    m_pidl = nullptr;
    return converted;
}
