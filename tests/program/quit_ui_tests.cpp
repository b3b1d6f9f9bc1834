// Quitting, closing or stopping the real Veltra.exe's copy while it runs:
// the current file is finished, nothing half-written is left, a copy that
// ends while the quit question is open still lets Yes quit, and Stop Copy
// ends the copy with its report while the program stays.
#include "EngineRun.h"
#include "FormatText.h"
#include "TempFolder.h"
#include "Trees.h"
#include "UiDriver.h"
#include "UnixBridge.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A tree big enough that a copy of it is still running when the test acts.
std::string MakeSlowTree(const TempFolder& temp, int files) {
    std::string source = temp.path() + "slow\\";
    EXPECT_TRUE(CreateDirectoryA(source.c_str(), nullptr));
    // Written from the Unix side: through Wine, making 20,000 files would
    // take longer than copying them.
    EXPECT_TRUE(RunUnix("python3 -c 'import os, sys\n"
                        "for i in range(int(sys.argv[2])):\n"
                        "  d = os.path.join(sys.argv[1], \"d%02d\" % (i % 20))\n"
                        "  os.makedirs(d, exist_ok=True)\n"
                        "  open(os.path.join(d, \"f%04d.txt\" % i), \"w\").write(\"x\" * (2000 + i % 1000))' '" +
                            UnixPathOf(source) + "' " + std::to_string(files),
                        nullptr, 300000));
    return source;
}

// Every file present in the copy is whole.
void ExpectNoPartialFiles(const std::string& source, const std::string& copy, int total) {
    int present = 0;
    for (int i = 0; i < total; ++i) {
        std::string rel = FormatText("d%02d\\f%04d.txt", i % 20, i);
        std::string copied, original;
        if (!ReadFileBytes(copy + rel, copied))
            continue;
        ++present;
        ReadFileBytes(source + rel, original);
        EXPECT_EQ(copied, original) << rel;
    }
    EXPECT_LT(present, total) << "the copy stopped early";
}

} // namespace

// A copy of a slow tree, started and under way.
class QuitDuringCopy : public ::testing::Test {
protected:
    void SetUp() override {
        source = MakeSlowTree(temp, kTotal);
        destination = temp.path() + "dest\\";
        StartCopy(app, source, destination);
        ASSERT_TRUE(WaitUntil([&] {
            return TextOf(app.item(IDC_STATUS_TEXT)).rfind("Status: copying file", 0) == 0;
        }));
    }

    static constexpr int kTotal = 20000;
    TempFolder temp;
    std::string source, destination;
    VeltraProcess app;
};

TEST_F(QuitDuringCopy, NoChangesNothingYesFinishesTheFileAndCloses) {
    Press(app.dialog(), IDOK);
    HWND question = app.WaitForWindow("Veltra");
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(app.WaitForWindowGone(question));
    EXPECT_FALSE(app.WaitForExit(500)) << "No changes nothing";

    Press(app.dialog(), IDOK);
    question = app.WaitForWindow("Veltra");
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(app.WaitForExit(60000)) << "closes by itself after the current file";
    ExpectNoPartialFiles(source, destination, kTotal);
}

TEST_F(QuitDuringCopy, TheCloseBoxClosesWithoutLeavingAHalfWrittenFile) {
    PostMessageA(app.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(app.WaitForExit(60000));
    ExpectNoPartialFiles(source, destination, kTotal);
}

TEST_F(QuitDuringCopy, StopCopyEndsTheCopyWithItsReportAndTheDialogStays) {
    HWND button = app.item(IDC_START_COPY);
    EXPECT_EQ(TextOf(button), "&Stop Copy");
    EXPECT_TRUE(IsEnabled(button));
    EXPECT_EQ(FocusOf(app.dialog()), button) << "the keyboard reaches it at once";
    Press(app.dialog(), IDC_START_COPY);
    ASSERT_TRUE(WaitForCopyComplete(app, 60000));
    EXPECT_EQ(app.CountWindows("Veltra"), 0) << "nothing was asked";
    EXPECT_FALSE(app.HasExited());
    std::string summary = SummaryLine(ReportOf(app));
    EXPECT_EQ(summary.rfind("The copy is incomplete", 0), 0u) << summary;
    EXPECT_EQ(TextOf(button), "&Start Copy");
    EXPECT_TRUE(IsEnabled(button));
    ExpectNoPartialFiles(source, destination, kTotal);
}

TEST(QuitQuestion, ACopyThatEndsWhileTheQuestionIsOpenStillLetsYesQuit) {
    TempFolder temp;
    std::string source = MakeSlowTree(temp, 1500);
    VeltraProcess app;
    StartCopy(app, source, temp.path() + "dest\\");
    ASSERT_TRUE(WaitUntil(
        [&] { return TextOf(app.item(IDC_STATUS_TEXT)).rfind("Status: copying file", 0) == 0; }));
    Press(app.dialog(), IDOK);
    HWND question = app.WaitForWindow("Veltra");
    ASSERT_NE(question, nullptr);
    // The question's own loop keeps serving the worker: the copy completes.
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_FALSE(app.HasExited());
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(app.WaitForExit()) << "Yes ends the program though no copy is left to stop";
    EXPECT_EQ(CompareTrees(source, temp.path() + "dest\\"), "");
}
