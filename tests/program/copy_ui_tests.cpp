// Whole copies through the real Veltra.exe: the checks of Start Copy, a
// copy that succeeds, copies with failures and errors. The report is
// compared with what the dialog's grouping rule makes of the engine's
// notices for the same copy.
#include "AnsiText.h"
#include "EngineRun.h"
#include "FormatText.h"
#include "ReportLines.h"
#include "TempFolder.h"
#include "Trees.h"
#include "UiDriver.h"
#include "UnixBridge.h"
#include "WideTree.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

const std::string kRule = kSummaryRule;

std::string Megabytes(double bytes) {
    return FormatText("%.2f", bytes / 1048576.0);
}

// The report a copy of `source` into `destination` writes before its
// summary: the dialog's grouping rule applied to what the engine tells for
// the same copy. Used where nothing can be copied, so that the engine's copy
// changes nothing.
std::string ReportOfEngineCopy(const std::string& source, const std::string& destination) {
    NotificationRecorder recorder;
    return ReportOfNotices(RunEngine(source, destination, recorder).notices);
}

} // namespace

TEST(StartCopyChecks, EachMessageInItsOrderAndTheReportKept) {
    VeltraProcess app;
    TempFolder temp;
    struct Case {
        std::string source, destination, message;
    };
    std::string longPath = "C:\\" + std::string(290, 'a');
    const std::vector<Case> cases = {
        {"", "", "Source folder not specified"},
        {"C:\\a", "", "Destination folder not specified"},
        {longPath, "D:\\b", "Source folder path is too long (at most 259 characters)"},
        {"C:\\a", longPath, "Destination folder path is too long (at most 259 characters)"},
        {"C:", "D:\\b", "Source folder must be a fully qualified path e.g. C:\\source\\folder"},
        {"C:\\a",
         "D:", "Destination folder must be a fully qualified path e.g. D:\\destination\\folder"},
        {"C:\\a.lnk", "D:\\b", "Source folder can't be a shortcut"},
        {"C:\\a", "D:\\b.lnk", "Destination folder can't be a shortcut"},
        {"C:\\a", "backup\\new",
         "Destination folder must be a fully qualified path e.g. D:\\destination\\folder"},
        {temp.path() + "x", temp.path() + "X\\",
         "Source and destination folders must be different"},
        {temp.path() + "x\\y\\..", temp.path() + "x",
         "Source and destination folders must be different"},
    };
    for (const auto& c : cases) {
        SetTextOf(app.item(IDC_SOURCE_EDIT), c.source);
        SetTextOf(app.item(IDC_DESTINATION_EDIT), c.destination);
        SetTextOf(app.item(IDC_REPORT_EDIT), "old report\r\n");
        Press(app.dialog(), IDC_START_COPY);
        EXPECT_EQ(AnswerAlert(app), c.message) << c.source << " -> " << c.destination;
        EXPECT_EQ(ReportOf(app), "old report\r\n") << "a failed check keeps the report";
        EXPECT_TRUE(IsEnabled(app.item(IDC_START_COPY)));
        EXPECT_EQ(TextOf(app.item(IDC_STATUS_TEXT)), "Status: Ready");
    }
    EXPECT_FALSE(FolderExists(temp.path() + "x")) << "nothing was copied";
}

// The source typed by its long name and the destination by its short (8.3)
// name, through a folder link, or as a \\?\ path: one folder, which the copy
// would offer onto itself file by file.
TEST(TwoSpellingsInTheDialog, OneFolderUnderAnotherSpellingIsRefusedAtStartCopy) {
    TempFolder temp;
    std::string source = temp.path() + "Long Source Folder Name\\";
    const std::vector<TreeEntry> tree = {{"a.txt", "one"}, {"sub\\b.txt", "two"}};
    ASSERT_TRUE(MakeTree(source, tree));
    ASSERT_TRUE(MakeTree(temp.path() + "pristine\\", tree));
    char shortPath[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(source.c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_TRUE(
        RunUnix("ln -s '" + UnixPathOf(source) + "' '" + UnixPathOf(temp.path()) + "link'"));

    VeltraProcess app;
    for (std::string other : {std::string(shortPath), temp.path() + "link", "\\\\?\\" + source}) {
        StartCopy(app, source, other);
        HWND alert = app.WaitForWindow("Veltra Alert");
        ASSERT_NE(alert, nullptr) << other << ": no alert, a copy started";
        EXPECT_EQ(TextOf(GetDlgItem(alert, IDC_ALERT_MESSAGE)),
                  "Source and destination folders must be different")
            << other;
        Press(alert, IDOK);
        ASSERT_TRUE(app.WaitForWindowGone(alert));
        EXPECT_EQ(TextOf(app.item(IDC_STATUS_TEXT)), "Status: Ready") << other;
    }
    EXPECT_EQ(CompareTrees(temp.path() + "pristine\\", source), "") << "the source changed";
}

// Names of every script, beyond any legacy code page, are copied like any
// other: Veltra runs in UTF-8.
TEST(CopyFromDialog, AWholeTreeIsCopiedAndSummarised) {
    TempFolder temp;
    std::string source = temp.path() + "src\\", destination = temp.path() + "new\\dest";
    const std::vector<TreeEntry> tree = {
        {"a.txt", "alpha"},
        {"sub dir\\b.txt", std::string(70000, 'b')},
        {"sub dir\\deep\\c.bin", std::string(1048576, 'c')},
        {"empty\\", ""},
        {"zero.dat", ""},
        {AnsiFromWide(L"caf\u00e9.txt"), "1"},
        {AnsiFromWide(L"\u65e5\u672c\\\u5831\u544a.txt"), "22"},
        {AnsiFromWide(L"emoji \U0001F600.txt"), "333"},
        {AnsiFromWide(L"\u0101 macron.txt"), "4444"},
        {AnsiFromWide(L"\u03a9mega.txt"), "55555"},
    };
    ASSERT_TRUE(MakeTree(source, tree));
    double bytes = 5 + 70000 + 1048576 + 15;

    VeltraProcess app;
    StartCopy(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app));

    EXPECT_EQ(CompareTrees(source, destination + "\\"), "");
    EXPECT_EQ(ReportOf(app), kRule + "\r\nAll files copied successfully.  9 files, totalling " +
                                 Megabytes(bytes) + "Mb.\r\n");
    EXPECT_EQ(TextOf(app.item(IDC_STATISTICS_TEXT)),
              "Statistics: " + Megabytes(bytes) + "Mb copied in 9 files");
    EXPECT_TRUE(IsEnabled(app.item(IDC_START_COPY)));
    // The end of the copy gives Start Copy the focus. Another test's window
    // on the same display may have been activated meanwhile: the dialog is
    // brought back, and gets back the focus it had.
    SetForegroundWindow(app.dialog());
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app.dialog()) == app.item(IDC_START_COPY); }))
        << "focus on " << FocusOf(app.dialog());
    EXPECT_FALSE(IsReadOnly(app.item(IDC_REPORT_EDIT)));
}

TEST(CopyFromDialog, FailuresAreListedUnderTheirFoldersWithTheFailureSummary) {
    TempFolder temp;
    std::string source = temp.path() + "src\\";
    ASSERT_TRUE(MakeTree(source, {{"top.txt", "1"},
                                  {"P\\p1.txt", "22"},
                                  {"P\\X\\x1.txt", "333"},
                                  {"P\\X\\x2.txt", "4444"},
                                  {"P\\p2.txt", "55555"},
                                  {"Q\\", ""}}));
    // The destination's parent is a file: no folder of the copy can exist.
    ASSERT_TRUE(WriteFileBytes(temp.path() + "blocker", "not a folder"));
    std::string destination = temp.path() + "blocker\\dest";

    const std::string expected = ReportOfEngineCopy(source, destination);
    const TreeSize size = SizeOfTree(source);

    VeltraProcess app;
    StartCopy(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app));
    std::string report = ReportOf(app);
    EXPECT_EQ(report, expected + kRule + "\r\n" +
                          FormatText("Veltra was unable to copy %d (of %d) files, totalling "
                                     "%.2fMb (100.00%% of the original source folder)\r\n",
                                     size.files, size.files, size.bytes / 1048576.0));
    EXPECT_NE(report.find("* Folder " + source + "P\\X\\\r\n"), std::string::npos);
    EXPECT_FALSE(IsReadOnly(app.item(IDC_REPORT_EDIT)));
}

TEST(CopyFromDialog, DestinationInsideTheSourceIsSkippedWithAnAlert) {
    TempFolder temp;
    std::string source = temp.path() + "data\\";
    ASSERT_TRUE(MakeTree(source, {{"one.txt", "1"}, {"sub\\two.txt", "22"}}));
    VeltraProcess app;
    StartCopy(app, source, temp.path() + "DATA\\sub\\Backup"); // another letter case, depth 2
    EXPECT_EQ(AnswerAlert(app), "skipped destination folder as a copy source");
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_TRUE(FileExists(source + "sub\\backup\\one.txt") ||
                FileExists(source + "sub\\Backup\\one.txt"));
    EXPECT_TRUE(FileExists(source + "sub\\Backup\\sub\\two.txt"));
    EXPECT_FALSE(FolderExists(source + "sub\\Backup\\sub\\Backup"));
    EXPECT_NE(ReportOf(app).find("2 files"), std::string::npos);
}

TEST(CopyFromDialog, MissingSourceGivesOneErrorAndAnIncompleteSummary) {
    TempFolder temp;
    VeltraProcess app;
    StartCopy(app, temp.path() + "missing", temp.path() + "dest");
    EXPECT_EQ(AnswerAlert(app), "Source folder does not exist (" + temp.path() + "missing\\)(3)");
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_EQ(ReportOf(app),
              kRule + "\r\nThe copy is incomplete: some folders could not be read or the copy "
                      "was stopped.  0 files, totalling 0.00Mb, were copied.\r\n");
}

TEST(CopyFromDialog, TwoErrorsInARowAreShownOneAfterTheOther) {
    TempFolder temp;
    std::string source = temp.path() + "src\\";
    ASSERT_TRUE(MakeTree(source, {{"top.txt", "top"}}));
    // Two chains of folders deeper than Wine can reach (a Unix path stops at
    // 4,096 bytes), made level by level from the Unix side: each gives its
    // own error where the walk can go no further.
    std::string unix = UnixPathOf(source);
    ASSERT_TRUE(RunUnix("python3 -c 'import os, sys\n"
                        "for chain in \"AB\":\n"
                        "  os.chdir(sys.argv[1]); os.mkdir(chain); os.chdir(chain)\n"
                        "  for i in range(18): os.mkdir(\"%0240d\" % i); os.chdir(\"%0240d\" % i)' '" +
                        unix + "'"));
    struct Cleanup {
        std::string unix;
        ~Cleanup() { RunUnix("rm -rf '" + unix + "A' '" + unix + "B'"); }
    } cleanup{unix};

    VeltraProcess app;
    StartCopy(app, source, temp.path() + "dest");
    for (int alerts = 0; alerts < 2; ++alerts) {
        HWND alert = app.WaitForWindow("Veltra Alert");
        ASSERT_NE(alert, nullptr) << "alert " << alerts;
        std::string text = TextOf(GetDlgItem(alert, IDC_ALERT_MESSAGE));
        EXPECT_EQ(text.rfind("Error: Couldn't select folder - Check source folder exists (", 0), 0u)
            << text;
        // Once the dialog has answered a message of ours, it has handled
        // whatever the worker sent before: a second error would show now.
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(
            SendMessageTimeoutA(app.dialog(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored));
        EXPECT_EQ(app.CountWindows("Veltra Alert"), 1)
            << "the second error waits until the first alert is closed";
        Press(alert, IDOK);
        ASSERT_TRUE(app.WaitForWindowGone(alert));
    }
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_TRUE(FileExists(temp.path() + "dest\\top.txt"));
    std::string report = ReportOf(app);
    EXPECT_NE(report.find("The copy is incomplete"), std::string::npos) << report;
}

// The status and statistics lines are written a few times a second, not per
// file: the texts of the files copied just before an alert must still be
// there when it opens.
// The worker's lines reach the dialog without the worker waiting; an alert
// waits for OK. When it opens, the report already holds every line that came
// before it, and the status and statistics lines show the last file.
TEST(CopyFromDialog, AnAlertOpensOverTheReportStatusAndStatisticsThatCameBeforeIt) {
    TempFolder temp;
    std::string source = temp.path() + "src\\";
    std::vector<TreeEntry> tree;
    for (int i = 0; i < 40; ++i)
        tree.push_back({FormatText("f%02d.txt", i), std::string(1000, 'x')});
    ASSERT_TRUE(MakeTree(source, tree));
    // The destination lies inside the source: meeting it gives an alert. It
    // is renamed until at least five files are listed, and so copied, before
    // it. The files the listing gives before the folder:
    auto filesBefore = [&](const std::string& folder) {
        std::vector<std::string> files;
        for (const WIN32_FIND_DATAA& entry : ListFolder(source)) {
            if (entry.cFileName == folder)
                break;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(entry.cFileName);
        }
        return files;
    };
    std::string folder = "g00";
    ASSERT_TRUE(CreateDirectoryA((source + folder).c_str(), nullptr));
    std::vector<std::string> before = filesBefore(folder);
    for (int n = 1; n < 40 && before.size() < 5; ++n) {
        std::string next = FormatText("g%02d", n);
        ASSERT_TRUE(MoveFileA((source + folder).c_str(), (source + next).c_str()));
        folder = next;
        before = filesBefore(folder);
    }
    ASSERT_GE(before.size(), 5u) << "no name put the folder after five files";
    // The first of those files finds a folder in its place: one report line.
    ASSERT_TRUE(CreateDirectoryA((source + folder + "\\" + before.front()).c_str(), nullptr));

    VeltraProcess app;
    StartCopy(app, source, source + folder);
    HWND alert = app.WaitForWindow("Veltra Alert");
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(alert, IDC_ALERT_MESSAGE)),
              "skipped destination folder as a copy source");
    EXPECT_EQ(ReportOf(app), "* Folder " + source + "\r\n+ " + before.front() +
                                 "  (not copied: a folder of the same name is in its place in "
                                 "the destination)\r\n");
    EXPECT_EQ(TextOf(app.item(IDC_STATUS_TEXT)), "Status: copying file " + source + before.back());
    int files = static_cast<int>(before.size()) - 1;
    EXPECT_EQ(TextOf(app.item(IDC_STATISTICS_TEXT)),
              "Statistics: " + Megabytes(files * 1000.0) +
                  FormatText("Mb copied in %d files", files));
    Press(alert, IDOK);
    ASSERT_TRUE(app.WaitForWindowGone(alert));
    ASSERT_TRUE(WaitForCopyComplete(app));
}

TEST(CopyFromDialog, AParentFolderIsHeadedAgainAfterItsSubfolderReportedFailures) {
    TempFolder temp;
    std::string source = temp.path() + "src\\";
    ASSERT_TRUE(WriteFileBytes(temp.path() + "blocker", "not a folder"));
    // P holds files and one subfolder X; the listing order decides where X
    // falls, so the subfolder's name is chosen until X comes between files.
    std::string expected;
    std::string p = source + "P\\";
    ASSERT_TRUE(MakeTree(p, {{"a1.txt", "p"}, {"a2.txt", "p"}, {"z1.txt", "p"}, {"z2.txt", "p"}}));
    std::string x;
    for (int attempt = 0; attempt < 40; ++attempt) {
        x = FormatText("m%02d\\", attempt);
        ASSERT_TRUE(MakeTree(p + x, {{"x.txt", "x"}}));
        expected = ReportOfEngineCopy(source, temp.path() + "blocker\\dest");
        std::string heading = "* Folder " + p + "\r\n";
        size_t first = expected.find(heading);
        if (first != std::string::npos && expected.find(heading, first + 1) != std::string::npos)
            break;
        RemoveTree(p + x);
        x.clear();
    }
    ASSERT_FALSE(x.empty()) << "no listing order put the subfolder between files";

    VeltraProcess app;
    StartCopy(app, source, temp.path() + "blocker\\dest");
    ASSERT_TRUE(WaitForCopyComplete(app));
    std::string report = ReportOf(app);
    EXPECT_EQ(report.substr(0, expected.size()), expected);
    EXPECT_NE(report.find("* Folder " + p + x +
                          "\r\n+ x.txt  (not copied: its folder could not be made in the "
                          "destination)\r\n* Folder " + p + "\r\n"),
              std::string::npos)
        << report;
}
