// Folders and files this user may not read, and a destination it may not
// write. Access can be denied only to an unprivileged user, so this program
// is run by run_as_user.sh as such a user; under root every case skips.
#include "ConditionSupport.h"
#include "ReportLines.h"
#include "TempFolder.h"
#include "TreeCheck.h"
#include "Trees.h"
#include "UiSteps.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

const std::string kAccessDenied = "Unable to access the folder. It's contents was not copied.";

// Takes the Unix permissions of some paths away for one test and gives them
// back afterwards, so that the temporary folders can be removed.
class Denial {
public:
    ~Denial() {
        for (const auto& [path, mode] : m_restore)
            RunUnixCommand("chmod " + mode + " '" + UnixPath(path) + "'");
    }
    // Sets the mode of `path` (e.g. "000"); `restore` is the mode put back.
    bool Set(const std::string& path, const std::string& mode, const std::string& restore) {
        m_restore.push_back({path, restore});
        return RunUnixCommand("chmod " + mode + " '" + UnixPath(path) + "'");
    }

private:
    std::vector<std::pair<std::string, std::string>> m_restore;
};

bool CanRead(const std::string& file) {
    std::string content;
    return ReadFileBytes(file, content);
}

bool CanWriteInto(const std::string& folder) {
    std::string probe = folder + "probe.tmp";
    if (!WriteFileBytes(probe, "x"))
        return false;
    DeleteFileA(probe.c_str());
    return true;
}

struct DeniedCase : ::testing::Test {
    TempFolder temp;
    std::string source = temp.path() + "source\\";
    std::string destination = temp.path() + "dest\\";
    NotificationRecorder recorder;
    Denial denial;

    // A source with a folder and a file this user may not read, between
    // entries it may.
    void MakeSourceWithDeniedItems() {
        ASSERT_TRUE(MakeTree(source, {{"a.txt", "alpha"},
                                      {"locked\\inside.txt", "never seen"},
                                      {"locked\\deeper\\x.txt", "never seen either"},
                                      {"secret.txt", "twelve bytes"},
                                      {"z\\z.txt", "zulu"}}));
        ASSERT_TRUE(denial.Set(source + "secret.txt", "000", "644"));
        ASSERT_TRUE(denial.Set(source + "locked", "000", "755"));
        if (CanRead(source + "secret.txt"))
            GTEST_SKIP() << "access is not denied to this user (root?): run through "
                            "run_as_user.sh";
    }
};

TEST_F(DeniedCase, UnreadableFolderAndFileAreReportedAndTheCopyGoesOn) {
    MakeSourceWithDeniedItems();
    if (IsSkipped())
        return;
    EngineRun run = RunEngine(source, destination, true, recorder);

    std::vector<std::string> notCopied = run.NotCopied();
    std::sort(notCopied.begin(), notCopied.end());
    EXPECT_EQ(notCopied, (std::vector<std::string>{source + "locked\\" + kAccessDenied,
                                                   source + "secret.txt"}))
        << Describe(run.notifications);
    // The dialog learns the folder just before the access-denied line.
    auto denied = std::find(run.notifications.begin(), run.notifications.end(),
                            Notification{WM_COPY_NOT_COPIED, source + "locked\\" + kAccessDenied});
    ASSERT_NE(denied, run.notifications.begin());
    EXPECT_EQ(*(denied - 1), (Notification{WM_COPY_FOLDER, source + "locked\\"}));
    for (const auto& n : run.notifications)
        EXPECT_NE(n.message, static_cast<UINT>(WM_COPY_ERROR)) << n.text;

    EXPECT_EQ(run.statistics.files_copied, 2);
    EXPECT_EQ(run.statistics.files_failed, 1);
    EXPECT_EQ(run.statistics.bytes_copied, 9.0);
    EXPECT_EQ(run.statistics.bytes_failed, 12.0);
    EXPECT_TRUE(run.incomplete);
    EXPECT_EQ(FormatSummaryLine(run.statistics, run.incomplete),
              "Veltra was unable to copy 1 (of 3) files, totalling 0.00Mb (57.14% of the original "
              "source folder)");

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

    EngineRun run = RunEngine(source, destination, true, recorder);
    std::vector<std::string> notCopied = run.NotCopied();
    std::sort(notCopied.begin(), notCopied.end());
    EXPECT_EQ(notCopied,
              (std::vector<std::string>{source + "a.txt", source + "b.txt", source + "sub\\c.txt"}))
        << Describe(run.notifications);
    EXPECT_EQ(run.statistics.files_copied, 0);
    EXPECT_EQ(run.statistics.files_failed, 3);
    EXPECT_EQ(run.statistics.bytes_failed, 11.0);
    EXPECT_EQ(FormatSummaryLine(run.statistics, run.incomplete),
              "Veltra was unable to copy 3 (of 3) files, totalling 0.00Mb (100.00% of the original "
              "source folder)");
    EXPECT_EQ(CountFiles(destination), 0);
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

    EngineRun run = RunEngine(source, destination, true, recorder);
    std::vector<std::string> notCopied = run.NotCopied();
    std::sort(notCopied.begin(), notCopied.end());
    EXPECT_EQ(notCopied, (std::vector<std::string>{source + "enteronly\\" + kAccessDenied,
                                                   source + "listonly\\" + kAccessDenied}))
        << Describe(run.notifications);
    EXPECT_EQ(run.statistics.files_copied, 1);
    EXPECT_EQ(run.statistics.files_failed, 0);
    EXPECT_TRUE(run.incomplete);
    EXPECT_EQ(FormatSummaryLine(run.statistics, run.incomplete).rfind("The copy is incomplete", 0),
              0u);
}

// The same denials through the real Veltra.exe: what the report panel shows.
TEST_F(DeniedCase, DialogListsTheDeniedItemsAndAFailureSummary) {
    if (!FileExists(WindowsPathOf(VELTRA_EXE_UNIX_PATH)))
        GTEST_SKIP() << "this user cannot reach " << VELTRA_EXE_UNIX_PATH;
    MakeSourceWithDeniedItems();
    if (IsSkipped())
        return;
    VeltraProcess app;
    StartCopyFromDialog(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app));
    std::string report = ReportOf(app);
    EXPECT_NE(report.find("* Folder " + source + "locked\\\r\n+ " + kAccessDenied + "\r\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(ReportedPaths(report),
              (std::set<std::string>{source + "locked\\" + kAccessDenied, source + "secret.txt"}));
    EXPECT_EQ(SummaryLine(report), "Veltra was unable to copy 1 (of 3) files, totalling 0.00Mb "
                                   "(57.14% of the original source folder)");

    // A destination it may not write into: every file fails, no success.
    TempFolder other;
    std::string plain = other.path() + "plain\\", closed = other.path() + "closed\\";
    ASSERT_TRUE(MakeTree(plain, {{"one.txt", "1"}, {"two.txt", "22"}}));
    CreateDirectoryA(closed.c_str(), nullptr);
    Denial closing;
    ASSERT_TRUE(closing.Set(closed, "555", "755"));
    SetTextOf(app.item(IDC_REPORT_EDIT), "");
    StartCopyFromDialog(app, plain, closed);
    ASSERT_TRUE(
        WaitUntil([&] { return ReportOf(app).find(kSummaryRule) != std::string::npos; }, 60000));
    EXPECT_EQ(SummaryLine(ReportOf(app)), "Veltra was unable to copy 2 (of 2) files, totalling "
                                          "0.00Mb (100.00% of the original source folder)");
    EXPECT_EQ(CountFiles(closed), 0);
}

} // namespace
