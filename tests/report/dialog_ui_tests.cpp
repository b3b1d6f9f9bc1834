// The Browse buttons and the two web-site buttons of the real Veltra.exe.

#include "TempFolder.h"
#include "UiDriver.h"
#include "UrlRecorder.h"
#include "maker.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

namespace {
// The texts of a dialog's child windows, one per line.
BOOL CALLBACK AppendChildText(HWND child, LPARAM lParam) {
    *reinterpret_cast<std::string*>(lParam) += TextOf(child) + "\n";
    return TRUE;
}

std::string ChildTextsOf(HWND dialog) {
    std::string texts;
    ::EnumChildWindows(dialog, &AppendChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// Selects `folder` in the browse dialog of another process: the path is put
// into that process's memory, where the dialog reads it.
bool SelectFolder(const VeltraProcess& app, HWND browse, const std::string& folder) {
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, app.pid());
    if (!process)
        return false;
    void* remote = ::VirtualAllocEx(process, nullptr, folder.size() + 1, MEM_COMMIT | MEM_RESERVE,
                                    PAGE_READWRITE);
    bool selected =
        remote && ::WriteProcessMemory(process, remote, folder.c_str(), folder.size() + 1, nullptr);
    DWORD_PTR ignored = 0;
    selected = selected && ::SendMessageTimeoutA(browse, BFFM_SETSELECTIONA, TRUE,
                                                 reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                                                 5000, &ignored);
    if (remote)
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    return selected;
}

// The browse dialog's selected tree item (its tree fills in the background).
HTREEITEM SelectedItem(HWND browse) {
    HWND tree = ::FindWindowExA(browse, nullptr, "SysTreeView32", nullptr);
    for (HWND child = ::GetWindow(browse, GW_CHILD); !tree && child;
         child = ::GetWindow(child, GW_HWNDNEXT))
        tree = ::FindWindowExA(child, nullptr, "SysTreeView32", nullptr);
    DWORD_PTR item = 0;
    if (tree)
        ::SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0, SMTO_ABORTIFHUNG, 5000, &item);
    return reinterpret_cast<HTREEITEM>(item);
}

// Selects `folder` and waits until the selection has settled: a busy
// machine may still be filling the tree when the selection is asked for.
bool SelectFolderAndSettle(const VeltraProcess& app, HWND browse, const std::string& folder) {
    HTREEITEM before = SelectedItem(browse);
    if (!SelectFolder(app, browse, folder))
        return false;
    WaitUntil([&] { return SelectedItem(browse) != before; }, 10000);
    for (HTREEITEM last = nullptr; last != SelectedItem(browse);) {
        last = SelectedItem(browse);
        ::Sleep(400);
    }
    return SelectFolder(app, browse, folder); // once more, on the settled tree
}

// Presses a Browse button and works its dialog: picks `folder`, or cancels
// when `folder` is empty. Returns the texts the dialog showed.
std::string Browse(VeltraProcess& app, int button, const std::string& folder) {
    Press(app.dialog(), button);
    HWND browse = app.WaitForWindow("Browse for Folder");
    if (!browse)
        return "<no browse dialog>";
    const std::string texts = ChildTextsOf(browse);
    if (folder.empty() || !SelectFolderAndSettle(app, browse, folder))
        Press(browse, IDCANCEL);
    else
        Press(browse, IDOK);
    app.WaitForWindowGone(browse);
    return texts;
}

std::string WithoutTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}
} // namespace

TEST(BrowseButtons, EachPutsTheChosenFolderIntoItsOwnEditAndCancelChangesNothing) {
    TempFolder temp;
    const std::string source = WithoutTrailingBackslash(temp.path()) + "\\From here";
    const std::string destination = WithoutTrailingBackslash(temp.path()) + "\\To there";
    ASSERT_TRUE(::CreateDirectoryA(source.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(destination.c_str(), nullptr));

    VeltraProcess app;
    SetTextOf(app.item(IDC_SOURCE_EDIT), "typed source");
    SetTextOf(app.item(IDC_DESTINATION_EDIT), "typed destination");

    const std::string shown = Browse(app, IDC_BROWSE_SOURCE, source);
    EXPECT_NE(shown.find("Select source folder or drive"), std::string::npos) << shown;
    EXPECT_EQ(_stricmp(TextOf(app.item(IDC_SOURCE_EDIT)).c_str(), source.c_str()), 0)
        << TextOf(app.item(IDC_SOURCE_EDIT));
    EXPECT_EQ(TextOf(app.item(IDC_DESTINATION_EDIT)), "typed destination");

    const std::string shownToo = Browse(app, IDC_BROWSE_DESTINATION, destination);
    EXPECT_NE(shownToo.find("Select destination folder or drive"), std::string::npos) << shownToo;
    EXPECT_EQ(_stricmp(TextOf(app.item(IDC_DESTINATION_EDIT)).c_str(), destination.c_str()), 0);
    EXPECT_EQ(_stricmp(TextOf(app.item(IDC_SOURCE_EDIT)).c_str(), source.c_str()), 0);

    // Cancelling leaves both edits as they were.
    const std::string before = TextOf(app.item(IDC_SOURCE_EDIT));
    Browse(app, IDC_BROWSE_SOURCE, "");
    EXPECT_EQ(TextOf(app.item(IDC_SOURCE_EDIT)), before);
    EXPECT_TRUE(IsEnabled(app.item(IDC_START_COPY)));
}

TEST(WebsiteButtons, MainDialogAndAboutDialogOpenTheSameAddress) {
    UrlRecorder recorder;
    VeltraProcess app({recorder.Environment()});
    EXPECT_EQ(TextOf(app.item(IDC_WEBSITE)), VELTRA_WEBSITE_CAPTION);
    Press(app.dialog(), IDC_WEBSITE);
    ASSERT_EQ(recorder.Wait(1).size(), 1u);

    Press(app.dialog(), IDC_ABOUT);
    HWND about = app.WaitForWindow("About Veltra");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(about, IDC_ABOUT_WEBSITE)), VELTRA_WEBSITE_ADDRESS);
    Press(about, IDC_ABOUT_WEBSITE);
    const auto opened = recorder.Wait(2);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_NE(opened[0].find(VELTRA_WEBSITE_ADDRESS), std::string::npos) << opened[0];
    EXPECT_EQ(opened[1], opened[0]);
    Press(about, IDOK);
    EXPECT_TRUE(app.WaitForWindowGone(about));
    EXPECT_EQ(app.WaitForWindow("Veltra", 500), nullptr) << "no failure message box";
}
