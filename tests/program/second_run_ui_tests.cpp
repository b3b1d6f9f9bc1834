// The second run of a migration through the real Veltra.exe, with "Skip
// files already up to date" checked: only the file changed since the first
// copy is copied (and, with "Ask me before overwriting" checked, asked
// about), and the summary says how many files were left as they were.
#include "TempFolder.h"
#include "Trees.h"
#include "UiDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

constexpr const char* kOverwriteQuestionCaption = "Replace File"; // Veltra's question

TEST(SecondRun, OnlyTheChangedFileIsCopiedAndAskedAbout) {
    TempFolder temp;
    std::string source = temp.path() + "source\\", destination = temp.path() + "dest\\";
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "first"}, {"b.txt", "second"},
                                  {"sub\\c.txt", "third"}}));
    VeltraProcess app;
    SetChecked(app.item(IDC_SKIP_UP_TO_DATE), true);
    StartCopy(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app));
    ASSERT_EQ(CompareTrees(source, destination), "");

    ASSERT_TRUE(WriteFileBytes(source + "b.txt", "second, changed"));
    SetChecked(app.item(IDC_ASK_BEFORE_OVERWRITE), true);
    StartCopy(app, source, destination);
    HWND question = app.WaitForWindow(kOverwriteQuestionCaption, 60000);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(TextOf(app.item(IDC_STATUS_TEXT)), "Status: copying file " + source + "b.txt");
    EXPECT_EQ(TextOf(GetDlgItem(question, IDC_REPLACE_NAME)), "b.txt");
    Press(question, IDYES);
    ASSERT_TRUE(app.WaitForWindowGone(question));
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_EQ(app.WaitForWindow(kOverwriteQuestionCaption, 0), nullptr) << "one question only";

    EXPECT_EQ(CompareTrees(source, destination), "");
    EXPECT_EQ(TextOf(app.item(IDC_STATISTICS_TEXT)),
              "Statistics: 0.00Mb copied in 1 files, 2 up to date");
    EXPECT_EQ(ReportOf(app),
              "- Summary --------------------------------------------------\r\n"
              "All files copied successfully.  1 files, totalling 0.00Mb.\r\n"
              "2 files already up to date were left as they were, totalling 0.00Mb.\r\n");
}

} // namespace
