// The real Veltra.exe at start and when it is closed with no copy running.
#include "UiDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

TEST(StartUp, ShowsTheReadyState) {
    VeltraProcess app;
    EXPECT_EQ(TextOf(app.item(IDC_STATUS_TEXT)), "Status: Ready");
    EXPECT_FALSE(IsChecked(app.item(IDC_ASK_BEFORE_OVERWRITE)));
    EXPECT_EQ(TextOf(app.item(IDC_ASK_BEFORE_OVERWRITE)),
              "Ask me before overwriting existing destination files");
    EXPECT_FALSE(IsChecked(app.item(IDC_SKIP_UP_TO_DATE)));
    EXPECT_EQ(TextOf(app.item(IDC_REPORT_EDIT)), "");
    EXPECT_FALSE(IsReadOnly(app.item(IDC_REPORT_EDIT)));
    EXPECT_EQ(TextOf(app.item(IDC_STATISTICS_TEXT)), "");
    EXPECT_EQ(TextOf(app.item(IDC_SOURCE_EDIT)), "");
    EXPECT_EQ(TextOf(app.item(IDC_DESTINATION_EDIT)), "");
    for (int id : {IDC_START_COPY, IDC_SKIP_UP_TO_DATE, IDC_BROWSE_SOURCE, IDC_BROWSE_DESTINATION, IDC_PRINT_REPORT,
                   IDC_ABOUT, IDC_HELP_BUTTON, IDC_WEBSITE, IDOK})
        EXPECT_TRUE(IsEnabled(app.item(id))) << "control " << id;
    EXPECT_EQ(TextOf(app.item(IDC_START_COPY)), "&Start Copy");
    EXPECT_EQ(TextOf(app.item(IDOK)), "&Quit");
}

TEST(StartUp, TemplateLayoutAsLoaded) {
    VeltraProcess app;
    // 348 x 309 dialog units; the controls keep their relative places.
    RECT client;
    GetClientRect(app.dialog(), &client);
    EXPECT_GT(client.right, 300);
    EXPECT_GT(client.bottom, 300);
    RECT source, start, report;
    GetWindowRect(app.item(IDC_SOURCE_EDIT), &source);
    GetWindowRect(app.item(IDC_START_COPY), &start);
    GetWindowRect(app.item(IDC_REPORT_EDIT), &report);
    EXPECT_LT(source.top, start.top) << "source edit above Start Copy";
    EXPECT_LT(source.right, start.left) << "Start Copy right of the edits";
    EXPECT_LT(start.bottom, report.top) << "report panel below Start Copy";
    LONG style = GetWindowLongA(app.item(IDC_REPORT_EDIT), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_WANTRETURN);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(GetWindowLongA(app.dialog(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST(StartUp, QuitWithNoCopyEndsAtOnce) {
    VeltraProcess app;
    Press(app.dialog(), IDOK);
    EXPECT_TRUE(app.WaitForExit());
}


TEST(StartUp, CloseBoxEndsAtOnce) {
    VeltraProcess app;
    PostMessageA(app.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(app.WaitForExit());
}

TEST(StartUp, StrayDialogManagerMessagesAreIgnored) {
    VeltraProcess app;
    // DM_SETDEFID and DM_REPOSITION share their numbers with two of the
    // worker's notifications; with no copy running they must change nothing.
    DWORD_PTR ignored = 0;
    for (UINT message = WM_USER + 1; message <= WM_USER + 6; ++message)
        if (message != WM_USER + 5) // an error notification would open an alert
            SendMessageTimeoutA(app.dialog(), message, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    EXPECT_FALSE(app.HasExited());
    EXPECT_EQ(TextOf(app.item(IDC_STATUS_TEXT)), "Status: Ready");
    EXPECT_EQ(TextOf(app.item(IDC_REPORT_EDIT)), "");
    Press(app.dialog(), IDOK);
    EXPECT_TRUE(app.WaitForExit());
}

TEST(StartUp, AboutFromTheSystemMenuShowsItsTexts) {
    VeltraProcess app;
    PostMessageA(app.dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = app.WaitForWindow("About Veltra");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(about, IDC_USAGE_TEXT)).size(), 788u);
    EXPECT_GT(TextOf(GetDlgItem(about, IDC_LICENSE_TEXT)).size(), 1000u);
    Press(about, IDOK);
    EXPECT_TRUE(app.WaitForWindowGone(about));
}

TEST(StartUp, AboutButtonShowsBothTexts) {
    VeltraProcess app;
    for (int opening = 0; opening < 2; ++opening) {
        Press(app.dialog(), IDC_ABOUT);
        HWND about = app.WaitForWindow("About Veltra");
        ASSERT_NE(about, nullptr);
        std::string usage = TextOf(GetDlgItem(about, IDC_USAGE_TEXT));
        std::string license = TextOf(GetDlgItem(about, IDC_LICENSE_TEXT));
        EXPECT_EQ(usage.size(), 788u) << "opening " << opening;
        EXPECT_GT(license.size(), 1000u) << "opening " << opening;
        Press(about, IDOK);
        ASSERT_TRUE(app.WaitForWindowGone(about));
    }
}
