// Folders and files this user may not read, and a destination it may not
// write, through the real Veltra.exe. Access can be denied only to an
// unprivileged user: this runs as one, with engine/denied_tests.cpp, in the
// ctest test denied_as_user (support/run_as_user.sh); as root it skips.
#include "AccessDenial.h"
#include "EngineRun.h"
#include "ReportLines.h"
#include "Trees.h"
#include "UiDriver.h"

#include <gtest/gtest.h>

namespace {

// The denials through the real Veltra.exe: the report panel shows what the
// dialog's grouping rule makes of the engine's notices for the same copy.
TEST_F(DeniedCase, DialogListsTheDeniedItemsAndAFailureSummary) {
    const std::string exe = VeltraProcess::ExeFolder() + "Veltra.exe";
    if (!FileExists(exe))
        GTEST_SKIP() << "this user cannot reach " << exe;
    MakeSourceWithDeniedItems();
    if (IsSkipped())
        return;
    TempFolder engineCopy;
    const std::string expected =
        ReportOfNotices(RunEngine(source, engineCopy.path(), recorder).notices);
    VeltraProcess app;
    StartCopy(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app));
    std::string report = ReportOf(app);
    EXPECT_NE(report.find("* Folder " + source + "locked\\\r\n+ " + kAccessDenied + "\r\n"),
              std::string::npos)
        << report;
    // A folder went unread: both lines, and no share of the source claimed.
    EXPECT_EQ(report, expected + kSummaryRule +
                          "\r\nVeltra was unable to copy 1 (of 3) files, totalling 0.00Mb\r\n"
                          "The copy is incomplete: some folders could not be read or the copy "
                          "was stopped.  2 files, totalling 0.00Mb, were copied.\r\n");

    // A destination it may not write into: every file fails, no success.
    TempFolder other;
    std::string plain = other.path() + "plain\\", closed = other.path() + "closed\\";
    ASSERT_TRUE(MakeTree(plain, {{"one.txt", "1"}, {"two.txt", "22"}}));
    CreateDirectoryA(closed.c_str(), nullptr);
    Denial closing;
    ASSERT_TRUE(closing.Set(closed, "555", "755"));
    const std::string expectedToo = ReportOfNotices(RunEngine(plain, closed, recorder).notices);
    StartCopy(app, plain, closed);
    ASSERT_TRUE(WaitForCopyComplete(app, 60000));
    EXPECT_EQ(ReportOf(app), expectedToo + kSummaryRule +
                                 "\r\nVeltra was unable to copy 2 (of 2) files, totalling 0.00Mb "
                                 "(100.00% of the original source folder)\r\n");
    EXPECT_EQ(SizeOfTree(closed).files, 0);
}

} // namespace
