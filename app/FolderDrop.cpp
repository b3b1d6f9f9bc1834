// Folders dropped from Explorer: onto the destination edit, they fill it;
// anywhere else on the dialog, they fill the source. Nothing starts by
// itself, and the path is checked, like a typed one, at Start Copy.
#include "VeltraDlg.h"

#include "AnsiText.h"

#include <shellapi.h>

namespace {

// The first dropped item as a folder: a folder as it is, a file as the
// folder that holds it. Empty when nothing usable was dropped.
std::wstring FirstDroppedFolder(HDROP drop) {
    UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    if (length == 0)
        return {};
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return path;
    std::wstring::size_type slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos)
        return {};
    path.resize(slash);
    if (!path.empty() && path.back() == L':')
        path += L'\\'; // a file at a drive's root: the root
    return path;
}

} // namespace

LRESULT CVeltraDlg::OnDropFiles(WPARAM wParam, LPARAM) {
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    POINT point{};
    DragQueryPoint(drop, &point); // in the dialog's client area
    std::wstring folder = FirstDroppedFolder(drop);
    DragFinish(drop);
    if (folder.empty())
        return 0;

    RECT destination{};
    ::GetWindowRect(m_destinationEdit.m_hWnd, &destination);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&destination), 2);
    CEdit& edit = PtInRect(&destination, point) ? m_destinationEdit : m_sourceEdit;
    // Whole, past the edit's limit too: Start Copy refuses a path too long
    // with the alert a typed one gets.
    edit.SetWindowText(AnsiNameFromWide(folder));
    return 0;
}
