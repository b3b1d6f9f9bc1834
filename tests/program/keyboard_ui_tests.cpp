// Keys in the real Veltra.exe's main dialog never end the program or wipe
// the last copy's report: Enter in a folder edit presses Start Copy, Escape
// does nothing, and a Start Copy whose check fails leaves the report, the
// status and the statistics of the last copy as they were.
#include "TempFolder.h"
#include "Trees.h"
#include "UiDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

TEST(Keys, EnterStartsACopyEscapeDoesNothingAndAFailedCheckKeepsTheReport) {
    TempFolder temp;
    std::string source = temp.path() + "source\\", destination = temp.path() + "dest\\";
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "a"}, {"b.txt", "b"}}));
    VeltraProcess app;
    StartCopy(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app));
    const std::string report = ReportOf(app);
    const std::string statistics = TextOf(app.item(IDC_STATISTICS_TEXT));

    // Escape, then Enter in the source edit with no destination: the alert
    // of Start Copy's check shows that both keys were taken, in order.
    SetTextOf(app.item(IDC_DESTINATION_EDIT), "");
    PressEscape(app.dialog());
    PressEnterIn(app.item(IDC_SOURCE_EDIT));
    EXPECT_EQ(AnswerAlert(app), "Destination folder not specified");
    EXPECT_FALSE(app.HasExited());
    EXPECT_EQ(ReportOf(app), report) << "a failed check keeps the last report";
    EXPECT_EQ(TextOf(app.item(IDC_STATUS_TEXT)), "Status: Folder copy complete");
    EXPECT_EQ(TextOf(app.item(IDC_STATISTICS_TEXT)), statistics);

    // Enter in the destination edit starts the next copy.
    SetTextOf(app.item(IDC_DESTINATION_EDIT), temp.path() + "second\\");
    SetTextOf(app.item(IDC_REPORT_EDIT), "(before the second copy)");
    PressEnterIn(app.item(IDC_DESTINATION_EDIT));
    ASSERT_TRUE(WaitUntil([&] {
        return TextOf(app.item(IDC_STATUS_TEXT)) == "Status: Folder copy complete" &&
               ReportOf(app) == report;
    }));
    EXPECT_EQ(CompareTrees(source, temp.path() + "second\\"), "");
}
