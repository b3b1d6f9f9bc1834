// "Ask me before overwriting existing destination files" through the real
// Veltra.exe: the shell asks for each existing file, a Yes replaces it, a No
// leaves it untouched and the file is reported as not copied.
#include "EngineRun.h"
#include "FormatText.h"
#include "TempFolder.h"
#include "Trees.h"
#include "UiDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

// The caption of the question the shell asks, on Veltra's behalf and owned
// by its main dialog, before it replaces an existing file.
constexpr const char* kOverwriteQuestionCaption = "Confirm file overwrite";

std::string Content(const std::string& path) {
    std::string content;
    return ReadFileBytes(path, content) ? content : "<missing>";
}

TEST(OverwriteQuestion, YesReplacesNoKeepsAndTheDeclinedFileIsReported) {
    TempFolder temp;
    std::string source = temp.path() + "source\\", destination = temp.path() + "dest\\";
    ASSERT_TRUE(MakeTree(source, {{"keep.txt", "new keep, longer than before"},
                                  {"replace.txt", "new replace"},
                                  {"fresh.txt", "only in the source"},
                                  {"sub\\inner.txt", "inner"}}));
    ASSERT_TRUE(MakeTree(destination, {{"keep.txt", "old keep"},
                                       {"replace.txt", "old replace, longer than the new one"},
                                       {"other.txt", "only in the destination"},
                                       {"sub\\", ""}}));

    VeltraProcess app;
    SetChecked(app.item(IDC_ASK_BEFORE_OVERWRITE), true);
    ASSERT_TRUE(IsChecked(app.item(IDC_ASK_BEFORE_OVERWRITE)));
    StartCopy(app, source, destination);

    // One question per existing file; the status line names the file asked about.
    std::vector<std::string> askedAbout;
    for (int i = 0; i < 2; ++i) {
        HWND question = app.WaitForWindow(kOverwriteQuestionCaption, 60000);
        ASSERT_NE(question, nullptr) << "question " << i + 1 << " did not come";
        EXPECT_EQ(GetWindow(question, GW_OWNER), app.dialog()) << "owned by the main dialog";
        std::string status = TextOf(app.item(IDC_STATUS_TEXT));
        askedAbout.push_back(status);
        bool isReplace = status == "Status: copying file " + source + "replace.txt";
        EXPECT_TRUE(isReplace || status == "Status: copying file " + source + "keep.txt") << status;
        Press(question, isReplace ? IDYES : IDNO);
        ASSERT_TRUE(app.WaitForWindowGone(question));
    }
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_NE(askedAbout[0], askedAbout[1]) << "each file is asked about once";
    EXPECT_EQ(app.WaitForWindow(kOverwriteQuestionCaption, 0), nullptr) << "no third question";

    EXPECT_EQ(Content(destination + "replace.txt"), "new replace") << "replaced after Yes";
    EXPECT_EQ(Content(destination + "keep.txt"), "old keep") << "untouched after No";
    EXPECT_EQ(Content(destination + "fresh.txt"), "only in the source")
        << "new files need no question";
    EXPECT_EQ(Content(destination + "sub\\inner.txt"), "inner");
    EXPECT_EQ(Content(destination + "other.txt"), "only in the destination");

    double keepBytes = 28, allBytes = 28 + 11 + 18 + 5;
    EXPECT_EQ(ReportOf(app),
              "* Folder " + source +
                  "\r\n+ keep.txt  (not replaced: you chose to keep the existing file)\r\n"
                  "- Summary --------------------------------------------------\r\n" +
                  FormatText("Veltra was unable to copy 1 (of 4) files, totalling %.2fMb (%.2f%% "
                             "of the original source folder)\r\n",
                             keepBytes / 1048576.0, keepBytes / allBytes * 100));
}

TEST(OverwriteQuestion, UncheckedReplacesWithoutAsking) {
    TempFolder temp;
    std::string source = temp.path() + "source\\", destination = temp.path() + "dest\\";
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "new a"}, {"b.txt", "new b"}}));
    ASSERT_TRUE(MakeTree(destination, {{"a.txt", "old a"}, {"b.txt", "old b"}}));
    VeltraProcess app;
    SetChecked(app.item(IDC_ASK_BEFORE_OVERWRITE), false);
    StartCopy(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_EQ(app.WaitForWindow(kOverwriteQuestionCaption, 0), nullptr);
    EXPECT_EQ(CompareTrees(source, destination), "");
    EXPECT_EQ(SummaryLine(ReportOf(app)),
              "All files copied successfully.  2 files, totalling 0.00Mb.");
}

} // namespace
