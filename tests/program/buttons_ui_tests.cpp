// The Browse buttons and the two web-site buttons of the real Veltra.exe.

#include "BrowseDialog.h"
#include "TempFolder.h"
#include "UiDriver.h"
#include "UrlRecorder.h"
#include "maker.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {
// Presses a Browse button and works its dialog: picks `folder`, or cancels
// when `folder` is empty. Returns the texts the dialog showed.
std::string Browse(VeltraProcess& app, int button, const std::string& folder) {
    Press(app.dialog(), button);
    HWND browse = app.WaitForWindow("Browse for Folder");
    if (!browse)
        return "<no browse dialog>";
    std::string texts = ChildTexts(browse);
    const bool selected = !folder.empty() && SelectInBrowseDialog(browse, folder);
    if (!folder.empty() && !selected)
        texts += "<the browse dialog never selected " + folder + ">";
    Press(browse, selected ? IDOK : IDCANCEL);
    app.WaitForWindowGone(browse);
    return texts;
}
} // namespace

TEST(BrowseButtons, EachPutsTheChosenFolderIntoItsOwnEditAndCancelChangesNothing) {
    // Below the drive, where the browse dialog can always find them
    // (BrowseDialog.h).
    TempFolder temp("C:\\");
    const std::string source = temp.path() + "From here";
    const std::string destination = temp.path() + "To there";
    ASSERT_TRUE(::CreateDirectoryA(source.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(destination.c_str(), nullptr));
    SettleAccessTimes(source);
    SettleAccessTimes(destination);

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
