// "Ask me before overwriting existing destination files" through the real
// Veltra.exe: Veltra's own question for each existing file, with both files
// shown, and answers for one file or for the rest of the copy.
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

// The caption of Veltra's question before it replaces a file.
constexpr const char* kQuestionCaption = "Replace File";

std::string Content(const std::string& path) {
    std::string content;
    return ReadFileBytes(path, content) ? content : "<missing>";
}

// Three files of the source are in the destination already.
struct AskedCopy : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(MakeTree(source, {{"a.txt", "new a, longer"},
                                      {"b.txt", "new b, longer"},
                                      {"c.txt", "new c, longer"},
                                      {"fresh.txt", "only in the source"},
                                      {"sub\\inner.txt", "inner"}}));
        ASSERT_TRUE(MakeTree(destination, {{"a.txt", "old a"},
                                           {"b.txt", "old b"},
                                           {"c.txt", "old c"},
                                           {"other.txt", "only in the destination"}}));
        SetChecked(app.item(IDC_ASK_BEFORE_OVERWRITE), true);
        StartCopy(app, source, destination);
    }
    TempFolder temp;
    std::string source = temp.path() + "source\\", destination = temp.path() + "dest\\";
    VeltraProcess app;
};

TEST_F(AskedCopy, TheQuestionShowsBothFilesAndReplaceAllHoldsForTheRest) {
    HWND question = app.WaitForWindow(kQuestionCaption, 60000);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(GetWindow(question, GW_OWNER), app.dialog()) << "owned by the main dialog";
    std::string first = TextOf(GetDlgItem(question, IDC_REPLACE_NAME));
    EXPECT_EQ(TextOf(GetDlgItem(question, IDC_REPLACE_FOLDER)), destination);
    EXPECT_EQ(TextOf(GetDlgItem(question, IDC_REPLACE_EXISTING)).rfind("5 bytes, modified ", 0),
              0u);
    EXPECT_EQ(TextOf(GetDlgItem(question, IDC_REPLACE_INCOMING)).rfind("13 bytes, modified ", 0),
              0u);
    Press(question, IDNO); // Skip: this file only
    ASSERT_TRUE(app.WaitForWindowGone(question));

    question = app.WaitForWindow(kQuestionCaption, 60000);
    ASSERT_NE(question, nullptr) << "the next file is asked about";
    EXPECT_NE(TextOf(GetDlgItem(question, IDC_REPLACE_NAME)), first);
    Press(question, IDC_REPLACE_ALL);
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_EQ(app.WaitForWindow(kQuestionCaption, 0), nullptr) << "no third question";

    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        EXPECT_EQ(Content(destination + name), name == first ? "old " + first.substr(0, 1)
                                                             : Content(source + name))
            << name;
    EXPECT_EQ(Content(destination + "other.txt"), "only in the destination");
    EXPECT_EQ(ReportOf(app), "* Folder " + source + "\r\n+ " + first +
                                 "  (not replaced: you chose to keep the existing file)\r\n"
                                 "- Summary --------------------------------------------------\r\n"
                                 "All files copied successfully.  4 files, totalling 0.00Mb.\r\n"
                                 "1 files were kept as you chose, totalling 0.00Mb.\r\n");
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
    EXPECT_EQ(app.WaitForWindow(kQuestionCaption, 0), nullptr);
    EXPECT_EQ(CompareTrees(source, destination), "");
    EXPECT_EQ(SummaryLine(ReportOf(app)),
              "All files copied successfully.  2 files, totalling 0.00Mb.");
}

} // namespace
