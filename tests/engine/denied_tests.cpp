// Folders and files this user may not read, and a destination it may not
// write, through the engine. Access can be denied only to an unprivileged
// user: this runs as one, with program/denied_ui_tests.cpp, in the ctest
// test denied_as_user (support/run_as_user.sh); as root every case skips.
#include "AccessDenial.h"
#include "EngineRun.h"
#include "ReportLines.h"
#include "Trees.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST_F(DeniedCase, UnreadableFolderAndFileAreReportedAndTheCopyGoesOn) {
    MakeSourceWithDeniedItems();
    if (IsSkipped())
        return;
    EngineRun run = RunEngine(source, destination, recorder);

    std::vector<std::string> notCopied = run.NotCopied();
    std::sort(notCopied.begin(), notCopied.end());
    EXPECT_EQ(notCopied, (std::vector<std::string>{source + "locked\\" + kAccessDenied,
                                                   source + "secret.txt  (not copied: access denied)"}))
        << Describe(run.notices);
    // The dialog learns the folder just before the access-denied line.
    auto denied = std::find(run.notices.begin(), run.notices.end(),
                            Notification{WM_COPY_NOT_COPIED, source + "locked\\" + kAccessDenied});
    ASSERT_NE(denied, run.notices.begin());
    EXPECT_EQ(*(denied - 1), (Notification{WM_COPY_FOLDER, source + "locked\\"}));
    for (const auto& n : run.notices)
        EXPECT_NE(n.message, static_cast<UINT>(WM_COPY_ERROR)) << n.text;

    EXPECT_EQ(run.statistics.files_copied, 2);
    EXPECT_EQ(run.statistics.files_failed, 1);
    EXPECT_EQ(run.statistics.bytes_copied, 9.0);
    EXPECT_EQ(run.statistics.bytes_failed, 12.0);
    EXPECT_TRUE(run.incomplete);
    // A folder went unread: no share of the source is claimed.
    EXPECT_EQ(FormatSummaryLines(run.statistics, run.incomplete),
              (std::vector<std::string>{
                  "Veltra was unable to copy 1 (of 3) files, totalling 0.00Mb",
                  "The copy is incomplete: some folders could not be read or the copy was "
                  "stopped.  2 files, totalling 0.00Mb, were copied."}));

    std::string got;
    EXPECT_TRUE(ReadFileBytes(destination + "a.txt", got) && got == "alpha");
    EXPECT_TRUE(ReadFileBytes(destination + "z\\z.txt", got) && got == "zulu");
    EXPECT_FALSE(FileExists(destination + "secret.txt")) << "nothing of it is left behind";
    EXPECT_FALSE(FolderExists(destination + "locked"));
}

TEST_F(DeniedCase, DestinationWithoutWriteAccessFailsEveryFile) {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "alpha"}, {"b.txt", "bravo"}, {"sub\\c.txt", "c"}}));
    CreateDirectoryA(destination.c_str(), nullptr);
    ASSERT_TRUE(denial.Set(destination, "555", "755"));
    if (CanWriteInto(destination))
        GTEST_SKIP() << "write access is not denied to this user (root?)";

    EngineRun run = RunEngine(source, destination, recorder);
    std::vector<std::string> notCopied = run.NotCopied();
    std::sort(notCopied.begin(), notCopied.end());
    EXPECT_EQ(notCopied,
              (std::vector<std::string>{
                  source + "a.txt  (not copied: access denied)",
                  source + "b.txt  (not copied: access denied)",
                  source + "sub\\c.txt  (not copied: its folder could not be made in the destination)"}))
        << Describe(run.notices);
    EXPECT_EQ(run.statistics.files_copied, 0);
    EXPECT_EQ(run.statistics.files_failed, 3);
    EXPECT_EQ(run.statistics.bytes_failed, 11.0);
    EXPECT_EQ(FormatSummaryLines(run.statistics, run.incomplete),
              std::vector<std::string>{"Veltra was unable to copy 3 (of 3) files, totalling "
                                       "0.00Mb (100.00% of the original source folder)"});
    EXPECT_EQ(SizeOfTree(destination).files, 0);
}

// A folder that may be entered but not listed, and one that may be listed
// but not entered: neither's files are copied, and the report names both.
TEST_F(DeniedCase, HalfOpenFoldersAreNamedInTheReport) {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "alpha"},
                                  {"listonly\\l1.txt", "l1"},
                                  {"listonly\\sub\\l2.txt", "l2"},
                                  {"enteronly\\e1.txt", "e1"},
                                  {"enteronly\\sub\\e2.txt", "e2"}}));
    ASSERT_TRUE(denial.Set(source + "listonly", "644", "755"));
    ASSERT_TRUE(denial.Set(source + "enteronly", "311", "755"));
    if (CanRead(source + "listonly\\l1.txt"))
        GTEST_SKIP() << "access is not denied to this user (root?)";

    EngineRun run = RunEngine(source, destination, recorder);
    std::vector<std::string> notCopied = run.NotCopied();
    std::sort(notCopied.begin(), notCopied.end());
    EXPECT_EQ(notCopied, (std::vector<std::string>{source + "enteronly\\" + kAccessDenied,
                                                   source + "listonly\\" + kAccessDenied}))
        << Describe(run.notices);
    EXPECT_EQ(run.statistics.files_copied, 1);
    EXPECT_EQ(run.statistics.files_failed, 0);
    EXPECT_TRUE(run.incomplete);
    EXPECT_EQ(FormatSummaryLines(run.statistics, run.incomplete).front().rfind(
                  "The copy is incomplete", 0),
              0u);
}

} // namespace
