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

void FolderBrowser::StartAt(const std::string& folder) {
    std::wstring path = WideFromAnsi(folder);
    // Only a full path: a relative one would be taken from the current folder.
    bool full = path.size() >= 3 && ((path[1] == L':' && path[2] == L'\\') ||
                                     (path[0] == L'\\' && path[1] == L'\\'));
    if (!full)
        path.clear();
    while (!path.empty()) {
        DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            break;
        // "D:\a\b\" and "D:\a\b" both go up to "D:\a".
        while (!path.empty() && path.back() == L'\\')
            path.pop_back();
        size_t slash = path.rfind(L'\\');
        if (slash == std::wstring::npos || slash < 2) { // nothing left above
            path.clear();
            break;
        }
        path.erase(slash + (slash == 2 && path[1] == L':' ? 1 : 0)); // keep "D:\"
    }
    m_startFolder = path;
    m_browseInfo.lpfn = path.empty() ? nullptr : &FolderBrowser::OnBrowseEvent;
    m_browseInfo.lParam = reinterpret_cast<LPARAM>(this);
}

int CALLBACK FolderBrowser::OnBrowseEvent(HWND dialog, UINT event, LPARAM, LPARAM self) {
    // Selected once the dialog is up; the wide message takes any name.
    if (event == BFFM_INITIALIZED)
        ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                       reinterpret_cast<LPARAM>(
                           reinterpret_cast<FolderBrowser*>(self)->m_startFolder.c_str()));
    return 0;
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
