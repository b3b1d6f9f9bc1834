// Whole copies through the real Veltra.exe: the checks of Start Copy, a
// copy that succeeds, copies with failures and errors, and quitting or
// closing while a copy runs.
#include "AnsiText.h"
#include "FormatText.h"
#include "TempFolder.h"
#include "Trees.h"
#include "UiDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

const std::string kRule = "- Summary --------------------------------------------------";

// Starts a copy of `source` into `destination` from the dialog.
void StartCopy(VeltraProcess& app, const std::string& source, const std::string& destination) {
    SetTextOf(app.item(IDC_SOURCE_EDIT), source);
    SetTextOf(app.item(IDC_DESTINATION_EDIT), destination);
    Press(app.dialog(), IDC_START_COPY);
}

bool WaitForCompletion(VeltraProcess& app, DWORD ms = 120000) {
    return WaitUntil(
        [&] { return TextOf(app.item(IDC_STATUS_TEXT)) == "Status: Folder copy complete"; }, ms);
}

// Waits for an alert, returns its message and closes it with OK.
std::string AnswerAlert(VeltraProcess& app) {
    HWND alert = app.WaitForWindow("Veltra Alert");
    if (!alert)
        return "<no alert>";
    std::string text = TextOf(GetDlgItem(alert, IDC_ALERT_MESSAGE));
    Press(alert, IDOK);
    app.WaitForWindowGone(alert);
    return text;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

std::string Megabytes(double bytes) {
    return FormatText("%.2f", bytes / 1048576.0);
}

// The report a copy writes when every file fails, worked out from the same
// listing order the program sees: a heading when the first failure of an
// announced folder is not in the folder last headed.
struct ExpectedReport {
    std::string text;
    std::string current, lastHeaded;
    int failuresInFolder = 0;
    int files = 0;
    double bytes = 0;

    void Walk(const std::string& folder) {
        Announce(folder);
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE)
            return;
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                Walk(folder + name + "\\");
                Announce(folder);
            } else {
                Fail(folder + name);
                ++files;
                bytes += entry.nFileSizeLow;
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    void Announce(const std::string& folder) {
        current = folder;
        failuresInFolder = 0;
    }
    void Fail(const std::string& path) {
        if (failuresInFolder == 0 && current != lastHeaded) {
            text += "* Folder " + current + "\r\n";
            lastHeaded = current;
        }
        ++failuresInFolder;
        text += "+ " + path.substr(current.size()) + "\r\n";
    }
};

} // namespace

TEST(StartCopyChecks, EachMessageInItsOrderAndTheReportEmptiedFirst) {
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
        SetTextOf(app.item(IDC_REPORT_EDIT), "old report\r\n");
        StartCopy(app, c.source, c.destination);
        EXPECT_EQ(AnswerAlert(app), c.message) << c.source << " -> " << c.destination;
        EXPECT_EQ(TextOf(app.item(IDC_REPORT_EDIT)), "") << "emptied before the check";
        EXPECT_TRUE(IsEnabled(app.item(IDC_START_COPY)));
        EXPECT_EQ(TextOf(app.item(IDC_STATUS_TEXT)), "Status: Ready");
    }
    EXPECT_FALSE(FolderExists(temp.path() + "x")) << "nothing was copied";
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
    ASSERT_TRUE(WaitForCompletion(app));

    EXPECT_EQ(CompareTrees(source, destination + "\\"), "");
    EXPECT_EQ(TextOf(app.item(IDC_REPORT_EDIT)),
              kRule + "\r\nAll files copied successfully.  9 files, totalling " + Megabytes(bytes) +
                  "Mb.\r\n");
    EXPECT_EQ(TextOf(app.item(IDC_STATISTICS_TEXT)),
              "Statistics: " + Megabytes(bytes) + "Mb copied in 9 files");
    EXPECT_TRUE(IsEnabled(app.item(IDC_START_COPY)));
    EXPECT_EQ(FocusOf(app.dialog()), app.item(IDC_START_COPY));
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

    ExpectedReport expected;
    expected.Walk(source);

    VeltraProcess app;
    StartCopy(app, source, destination);
    ASSERT_TRUE(WaitForCompletion(app));
    std::string report = TextOf(app.item(IDC_REPORT_EDIT));
    EXPECT_EQ(report, expected.text + kRule + "\r\n" +
                          FormatText("Veltra was unable to copy %d (of %d) files, totalling "
                                     "%.2fMb (100.00%% of the original source folder)\r\n",
                                     expected.files, expected.files, expected.bytes / 1048576.0));
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
    ASSERT_TRUE(WaitForCompletion(app));
    EXPECT_TRUE(FileExists(source + "sub\\backup\\one.txt") ||
                FileExists(source + "sub\\Backup\\one.txt"));
    EXPECT_TRUE(FileExists(source + "sub\\Backup\\sub\\two.txt"));
    EXPECT_FALSE(FolderExists(source + "sub\\Backup\\sub\\Backup"));
    EXPECT_NE(TextOf(app.item(IDC_REPORT_EDIT)).find("2 files"), std::string::npos);
}

TEST(CopyFromDialog, MissingSourceGivesOneErrorAndAnIncompleteSummary) {
    TempFolder temp;
    VeltraProcess app;
    StartCopy(app, temp.path() + "missing", temp.path() + "dest");
    EXPECT_EQ(AnswerAlert(app), "Source folder does not exist (" + temp.path() + "missing\\)(2)");
    ASSERT_TRUE(WaitForCompletion(app));
    EXPECT_EQ(TextOf(app.item(IDC_REPORT_EDIT)),
              kRule + "\r\nThe copy is incomplete: some folders could not be read or the copy "
                      "was stopped.  0 files, totalling 0.00Mb, were copied.\r\n");
}

namespace {

// A tree big enough that a copy of it is still running when the test acts.
std::string MakeSlowTree(const TempFolder& temp, int files) {
    std::string source = temp.path() + "slow\\";
    std::vector<TreeEntry> tree;
    for (int i = 0; i < files; ++i)
        tree.push_back({FormatText("d%02d\\f%04d.txt", i % 20, i), std::string(2000 + i, 'x')});
    EXPECT_TRUE(MakeTree(source, tree));
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

    static constexpr int kTotal = 1500;
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

TEST_F(QuitDuringCopy, EscapeClosesWithoutLeavingAHalfWrittenFile) {
    PressEscape(app.dialog());
    EXPECT_TRUE(app.WaitForExit(60000));
    ExpectNoPartialFiles(source, destination, kTotal);
}

namespace {

// Creates `folder` and every folder above it, past MAX_PATH too.
bool MakeDeepFolder(const std::string& folder) {
    std::wstring wide = L"\\\\?\\";
    for (char c : folder)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    for (size_t at = wide.find(L'\\', 7); at != std::wstring::npos; at = wide.find(L'\\', at + 1))
        CreateDirectoryW(wide.substr(0, at).c_str(), nullptr);
    return CreateDirectoryW(wide.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace

TEST(CopyFromDialog, TwoErrorsInARowAreShownOneAfterTheOther) {
    TempFolder temp;
    std::string source = temp.path() + "src\\";
    // Two folders too deep to be entered: each gives its own error.
    std::string deepA = source + "A\\" + std::string(120, 'a') + "\\" + std::string(120, 'b');
    std::string deepB = source + "B\\" + std::string(120, 'c') + "\\" + std::string(120, 'd');
    ASSERT_TRUE(MakeDeepFolder(deepA));
    ASSERT_TRUE(MakeDeepFolder(deepB));
    ASSERT_TRUE(WriteFileBytes(source + "top.txt", "top"));

    VeltraProcess app;
    StartCopy(app, source, temp.path() + "dest");
    for (int alerts = 0; alerts < 2; ++alerts) {
        HWND alert = app.WaitForWindow("Veltra Alert");
        ASSERT_NE(alert, nullptr) << "alert " << alerts;
        std::string text = TextOf(GetDlgItem(alert, IDC_ALERT_MESSAGE));
        EXPECT_EQ(text.rfind("Error: Couldn't select folder - Check source folder exists (", 0), 0u)
            << text;
        EXPECT_NE(text.find(")(206)"), std::string::npos) << text;
        Sleep(300);
        EXPECT_FALSE(IsWindow(app.WaitForWindow("Veltra Alert", 0)) &&
                     app.WaitForWindow("Veltra Alert", 0) != alert)
            << "the second error waits until the first alert is closed";
        Press(alert, IDOK);
        ASSERT_TRUE(app.WaitForWindowGone(alert));
    }
    ASSERT_TRUE(WaitForCompletion(app));
    EXPECT_TRUE(FileExists(temp.path() + "dest\\top.txt"));
    std::string report = TextOf(app.item(IDC_REPORT_EDIT));
    EXPECT_NE(report.find("The copy is incomplete"), std::string::npos) << report;
}

namespace {

// The files that `parent`'s listing gives before the entry `name`.
std::vector<std::string> FilesListedBefore(const std::string& parent, const std::string& name) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((parent + "*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return files;
    do {
        if (entry.cFileName == name)
            break;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return files;
}

} // namespace

// The status and statistics lines are written a few times a second, not per
// file: the texts of the files copied just before an alert must still be
// there when it opens.
TEST(CopyFromDialog, AnAlertOpensOverTheStatusAndStatisticsOfTheLastFileBeforeIt) {
    TempFolder temp;
    std::string source = temp.path() + "src\\";
    std::vector<TreeEntry> tree;
    for (int i = 0; i < 40; ++i)
        tree.push_back({FormatText("f%02d.txt", i), std::string(1000, 'x')});
    ASSERT_TRUE(MakeTree(source, tree));
    // A folder that cannot be entered (too deep) gives an error alert; it is
    // renamed until at least five files are listed, and so copied, before it.
    std::string deep = std::string(120, 'a') + "\\" + std::string(120, 'b');
    ASSERT_TRUE(MakeDeepFolder(source + "g00\\" + deep));
    std::string folder = "g00";
    std::vector<std::string> before = FilesListedBefore(source, folder);
    for (int n = 1; n < 40 && before.size() < 5; ++n) {
        std::string next = FormatText("g%02d", n);
        ASSERT_TRUE(MoveFileA((source + folder).c_str(), (source + next).c_str()));
        folder = next;
        before = FilesListedBefore(source, folder);
    }
    ASSERT_GE(before.size(), 5u) << "no name put the folder after five files";

    VeltraProcess app;
    StartCopy(app, source, temp.path() + "dest");
    HWND alert = app.WaitForWindow("Veltra Alert");
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(TextOf(app.item(IDC_STATUS_TEXT)), "Status: copying file " + source + before.back());
    int files = static_cast<int>(before.size());
    EXPECT_EQ(TextOf(app.item(IDC_STATISTICS_TEXT)),
              "Statistics: " + Megabytes(files * 1000.0) +
                  FormatText("Mb copied in %d files", files));
    Press(alert, IDOK);
    ASSERT_TRUE(app.WaitForWindowGone(alert));
    ASSERT_TRUE(WaitForCompletion(app));
}

TEST(CopyFromDialog, AParentFolderIsHeadedAgainAfterItsSubfolderReportedFailures) {
    TempFolder temp;
    std::string source = temp.path() + "src\\";
    ASSERT_TRUE(WriteFileBytes(temp.path() + "blocker", "not a folder"));
    // P holds files and one subfolder X; the listing order decides where X
    // falls, so the subfolder's name is chosen until X comes between files.
    ExpectedReport expected;
    std::string p = source + "P\\";
    ASSERT_TRUE(MakeTree(p, {{"a1.txt", "p"}, {"a2.txt", "p"}, {"z1.txt", "p"}, {"z2.txt", "p"}}));
    std::string x;
    for (int attempt = 0; attempt < 40; ++attempt) {
        x = FormatText("m%02d\\", attempt);
        ASSERT_TRUE(MakeTree(p + x, {{"x.txt", "x"}}));
        expected = ExpectedReport();
        expected.Walk(source);
        std::string heading = "* Folder " + p + "\r\n";
        size_t first = expected.text.find(heading);
        if (first != std::string::npos &&
            expected.text.find(heading, first + 1) != std::string::npos)
            break;
        RemoveTree(p + x);
        x.clear();
    }
    ASSERT_FALSE(x.empty()) << "no listing order put the subfolder between files";

    VeltraProcess app;
    StartCopy(app, source, temp.path() + "blocker\\dest");
    ASSERT_TRUE(WaitForCompletion(app));
    std::string report = TextOf(app.item(IDC_REPORT_EDIT));
    EXPECT_EQ(report.substr(0, expected.text.size()), expected.text);
    EXPECT_NE(report.find("* Folder " + p + x + "\r\n+ x.txt\r\n* Folder " + p + "\r\n"),
              std::string::npos)
        << report;
}

TEST(QuitQuestion, ACopyThatEndsWhileTheQuestionIsOpenStillLetsYesQuit) {
    TempFolder temp;
    std::string source = MakeSlowTree(temp, 100);
    VeltraProcess app;
    StartCopy(app, source, temp.path() + "dest\\");
    ASSERT_TRUE(WaitUntil(
        [&] { return TextOf(app.item(IDC_STATUS_TEXT)).rfind("Status: copying file", 0) == 0; }));
    Press(app.dialog(), IDOK);
    HWND question = app.WaitForWindow("Veltra");
    ASSERT_NE(question, nullptr);
    // The question's own loop keeps serving the worker: the copy completes.
    ASSERT_TRUE(WaitForCompletion(app));
    EXPECT_FALSE(app.HasExited());
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(app.WaitForExit()) << "Yes ends the program though no copy is left to stop";
    EXPECT_EQ(CompareTrees(source, temp.path() + "dest\\"), "");
}
