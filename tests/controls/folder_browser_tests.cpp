// The shell's real folder-browse dialog under Wine, worked from a helper
// thread: choosing a folder, choosing an item with no file-system path, and
// cancelling.

#include "BrowseDialog.h"
#include "DialogWatcher.h"
#include "FolderBrowser.h"
#include "OleSession.h"
#include "TempFolder.h"
#include "UiDriver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <thread>

namespace {
// Runs one browse; `work` gets the browse dialog (null if none appeared).
bool BrowseWith(const std::function<void(HWND)>& work, std::string& path,
                const std::string& title = "Select source folder or drive",
                const std::string& startAt = "") {
    bool chosen = false;
    FolderBrowser browser(nullptr);
    browser.StartAt(startAt);
    RunWithHelper([&] { chosen = browser.Browse(title, path); },
                  [&](DWORD thread) { work(WaitForThreadDialog(thread, "")); });
    return chosen;
}
} // namespace

TEST(FolderBrowser, ChosenFolderComesBackAsItsFileSystemPath) {
    // Below the drive, where the dialog can always find it (BrowseDialog.h).
    TempFolder folder("C:\\");
    const std::string wanted = folder.path() + "Chosen Folder";
    ASSERT_TRUE(::CreateDirectoryA(wanted.c_str(), nullptr));
    SettleAccessTimes(wanted);
    std::string path = "typed before browsing";
    std::string shown;
    bool selected = false;
    const bool chosen = BrowseWith(
        [&](HWND dialog) {
            ASSERT_NE(dialog, nullptr);
            shown = ChildTexts(dialog);
            selected = SelectInBrowseDialog(dialog, wanted);
            Press(dialog, selected ? IDOK : IDCANCEL);
        },
        path, "Select destination folder or drive");
    ASSERT_TRUE(selected) << "the browse dialog never selected " << wanted;
    EXPECT_TRUE(chosen);
    EXPECT_EQ(_stricmp(path.c_str(), wanted.c_str()), 0) << path;
    EXPECT_NE(shown.find("Select destination folder or drive"), std::string::npos) << shown;
}

TEST(FolderBrowser, CancelEmptiesThePathAndReportsNoChoice) {
    std::string path = "C:\\previous\\choice";
    const bool chosen = BrowseWith(
        [](HWND dialog) {
            ASSERT_NE(dialog, nullptr);
            Press(dialog, IDCANCEL);
        },
        path);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(path, "");
}

// Opens at the typed folder's nearest existing folder.
TEST(FolderBrowser, OpensAtTheNearestExistingFolderOfTheTypedPath) {
    TempFolder folder("C:\\");
    const std::string typed = folder.path() + "Typed Folder";
    ASSERT_TRUE(::CreateDirectoryA(typed.c_str(), nullptr));
    SettleAccessTimes(typed);
    std::string path;
    bool opened = false;
    BrowseWith(
        [&](HWND dialog) {
            opened = dialog && WaitUntil([&] {
                         std::vector<std::string> names = BrowseSelection(dialog);
                         return !names.empty() && names.back() == ShellNameOf(typed);
                     });
            Press(dialog, IDCANCEL);
        },
        path, "Select destination folder or drive", typed + "\\not yet\\made\\");
    EXPECT_TRUE(opened);
}

TEST(FolderBrowser, ItemWithoutAFileSystemPathCountsAsNoChoice) {
    PIDLIST_ABSOLUTE computer = nullptr;
    ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    std::string path = "C:\\previous\\choice";
    bool selected = false;
    const bool chosen = BrowseWith(
        [&](HWND dialog) {
            ASSERT_NE(dialog, nullptr);
            ::SendMessageTimeoutA(dialog, BFFM_SETSELECTIONA, FALSE,
                                  reinterpret_cast<LPARAM>(computer), SMTO_ABORTIFHUNG, 5000,
                                  nullptr);
            selected = WaitUntil([&] {
                const std::vector<std::string> names = BrowseSelection(dialog);
                return names.size() == 2 && names.back() == ShellNameOf(computer);
            });
            Press(dialog, IDOK);
        },
        path);
    ::CoTaskMemFree(computer);
    EXPECT_TRUE(selected) << "the browse dialog never selected My Computer";
    EXPECT_FALSE(chosen);
    EXPECT_EQ(path, "");
}

// The program's interface thread holds an OleSession while its dialogs run:
// the browse dialog's new style wants an apartment-threaded COM there.
// Windows does not enforce it under Wine, so the session itself is checked:
// apartment-threaded while it lives, released when it goes.
TEST(FolderBrowser, RunsInTheProgramsApartmentThreadedSession) {
    std::thread([] {
        {
            OleSession ole;
            ASSERT_TRUE(ole.initialised());
            EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE)
                << "not apartment-threaded";
            std::string path = "C:\\previous\\choice";
            EXPECT_FALSE(BrowseWith(
                [](HWND dialog) {
                    ASSERT_NE(dialog, nullptr);
                    Press(dialog, IDCANCEL);
                },
                path));
        }
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "not released";
        ::CoUninitialize();
    }).join();
}
