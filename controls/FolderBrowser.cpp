#include "FolderBrowser.h"

#include "AnsiText.h"

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
    // Read in UTF-16 and converted here: the ANSI call cuts a path at
    // MAX_PATH bytes, which in UTF-8 may be a third of its characters. A
    // character the code page cannot hold shows as '?', never as a look-alike
    // naming another folder.
    wchar_t buffer[MAX_PATH] = {};
    const bool converted = ::SHGetPathFromIDListW(m_pidl, buffer) != FALSE;
    path = converted ? AnsiNameFromWide(buffer) : "";
    if (haveMalloc) {
        shellMalloc->Free(m_pidl);
        shellMalloc->Release();
    }
    m_pidl = nullptr;
    return converted;
}
