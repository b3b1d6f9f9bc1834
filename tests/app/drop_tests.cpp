// The main dialog in this process: folders dropped from Explorer fill the
// edit they land on (the source anywhere else), a file gives its folder,
// and nothing starts by itself; the taskbar button is made only after the
// taskbar says so, moves while the source is counted and is cleared at the
// end.
#include "AnsiText.h"
#include "DialogWatcher.h"
#include "TaskbarRecorder.h"
#include "TempFolder.h"
#include "UiDriver.h"
#include "VeltraDlg.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

namespace {

class DropDlg : public CVeltraDlg {
public:
    std::shared_ptr<std::vector<std::string>> taskbarCalls;

protected:
    std::unique_ptr<TaskbarCalls> NewTaskbarCalls() override {
        auto recorder = std::make_unique<TaskbarRecorder>();
        taskbarCalls = recorder->calls;
        return recorder;
    }
};

// What Explorer hands over on a drop: the paths, at a point of the client
// area. The dialog frees it.
HDROP MakeDrop(const std::vector<std::string>& paths, POINT at) {
    std::wstring names;
    for (const std::string& path : paths)
        names += WideFromAnsi(path) + L'\0';
    names += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    *drop = DROPFILES{sizeof(DROPFILES), at, FALSE, TRUE};
    std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(drop + 1));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

POINT CentreOf(HWND dialog, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

} // namespace

TEST(FolderDrop, FillsTheEditItLandsOnAndStartsNothing) {
    TempFolder temp;
    std::string folder = temp.path() + "Photos \xc3\x89t\xc3\xa9", other = temp.path() + "other";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(folder + "\\a.txt", "a"));
    const std::string tooLong = temp.path() + std::string(300, 'x') + "\\file.txt";

    DropDlg dialog;
    std::string destination, source, sourceFromFile, status, alert, afterCopy;
    std::vector<std::string> callsBeforeButton;
    RunWithHelper([&] { dialog.DoModal(); },
                  [&](DWORD thread) {
                      HWND main = WaitForThreadDialog(thread, "Veltra (1.0b)");
                      if (!main)
                          return;
                      auto drop = [&](std::vector<std::string> paths, POINT at, int id) {
                          std::string before = TextOf(GetDlgItem(main, id));
                          PostMessageA(main, WM_DROPFILES,
                                       reinterpret_cast<WPARAM>(MakeDrop(paths, at)), 0);
                          WaitUntil([&] { return TextOf(GetDlgItem(main, id)) != before; });
                          return TextOf(GetDlgItem(main, id));
                      };
                      HWND destinationEdit = GetDlgItem(main, IDC_DESTINATION_EDIT);
                      destination = drop({folder, other}, CentreOf(main, destinationEdit),
                                         IDC_DESTINATION_EDIT);
                      // On the banner, not on an edit: the source.
                      source = drop({other}, POINT{20, 10}, IDC_SOURCE_EDIT);
                      sourceFromFile = drop({folder + "\\a.txt"}, POINT{20, 10}, IDC_SOURCE_EDIT);
                      status = TextOf(GetDlgItem(main, IDC_STATUS_TEXT));
                      drop({tooLong}, CentreOf(main, GetDlgItem(main, IDC_SOURCE_EDIT)),
                           IDC_SOURCE_EDIT);
                      callsBeforeButton = *dialog.taskbarCalls;
                      PostMessageA(main, TaskbarButton::CreatedMessage(), 0, 0);
                      Press(main, IDC_START_COPY);
                      if (HWND box = WaitForThreadDialog(thread, "Veltra Alert")) {
                          alert = TextOf(GetDlgItem(box, IDC_ALERT_MESSAGE));
                          Press(box, IDOK);
                      }
                      // Then a copy, for the taskbar button.
                      SetTextOf(GetDlgItem(main, IDC_SOURCE_EDIT), folder);
                      SetTextOf(destinationEdit, temp.path() + "copy");
                      Press(main, IDC_START_COPY);
                      WaitUntil([&] {
                          return TextOf(GetDlgItem(main, IDC_REPORT_EDIT))
                                     .find("All files copied successfully") != std::string::npos;
                      });
                      afterCopy = TextOf(main);
                      Press(main, IDOK); // Quit
                  });

    EXPECT_EQ(destination, folder) << "the first of the items dropped";
    EXPECT_EQ(source, other);
    EXPECT_EQ(sourceFromFile, folder) << "a file gives its folder";
    EXPECT_EQ(status, "Status: Ready") << "a drop starts nothing";
    EXPECT_EQ(alert, "Source folder path is too long (at most 259 characters)");
    EXPECT_TRUE(FileExists(temp.path() + "copy\\a.txt"));
    EXPECT_EQ(afterCopy, "Veltra (1.0b)");
    EXPECT_EQ(callsBeforeButton, std::vector<std::string>{}) << "no taskbar object before its button";
    ASSERT_TRUE(dialog.taskbarCalls);
    const std::vector<std::string>& calls = *dialog.taskbarCalls;
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], "create");
    EXPECT_EQ(calls[1], "state 0") << "nothing to show before the copy";
    EXPECT_EQ(calls[2], "state 1") << "a moving bar while counting";
    auto lastState = std::find_if(calls.rbegin(), calls.rend(),
                                  [](const std::string& call) { return call.starts_with("state"); });
    EXPECT_EQ(*lastState, "state 0") << "nothing once the copy has ended";
}
