#pragma once
// One run of the shell's folder-browse dialog: the user picks a folder or a
// drive, and the chosen item comes back as its file-system path.

#include <windows.h>

#include <shlobj.h>

#include <string>

class FolderBrowser {
public:
    // The dialog will be owned by `owner`, rooted at the desktop, so that
    // folders and drives of every kind are offered.
    explicit FolderBrowser(HWND owner);
    virtual ~FolderBrowser() = default;
    FolderBrowser(const FolderBrowser&) = delete;
    FolderBrowser& operator=(const FolderBrowser&) = delete;

    // Runs the dialog with `title` above the tree. True with the chosen
    // file-system path in `path`; false with `path` empty when the user
    // cancelled or chose an item that has no file-system path.
    bool Browse(std::string title, std::string& path);
    // Opens the next Browse at `folder` when it exists, else at its nearest
    // existing parent; an empty text or one with no existing folder leaves
    // the shell to choose.
    void StartAt(const std::string& folder);

private:
    static int CALLBACK OnBrowseEvent(HWND dialog, UINT event, LPARAM, LPARAM self);

    std::wstring m_startFolder; // where the dialog opens, or empty
    char m_szDisplayName[MAX_PATH];    // display name of the chosen item (not read)
    BROWSEINFOA m_browseInfo;          // what SHBrowseForFolderA is given
    PIDLIST_ABSOLUTE m_pidl = nullptr; // the chosen item, only during Browse
};
