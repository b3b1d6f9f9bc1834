// The main dialog's own logic without a window: checking the typed folders,
// the report's summary lines, and the help page's address.
#include "AnsiText.h"
#include "CopyJob.h"
#include "CopyPaths.h"
#include "HelpLauncher.h"
#include "ReportLines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Check(std::string source, std::string destination) {
    return CheckCopyPaths(source, destination);
}

} // namespace

TEST(CheckCopyPaths, ReportsTheFirstProblemInTheFixedOrder) {
    EXPECT_EQ(Check("", ""), "Source folder not specified");
    EXPECT_EQ(Check("C:\\a", ""), "Destination folder not specified");
    EXPECT_EQ(Check("C:", "D:\\b"),
              "Source folder must be a fully qualified path e.g. C:\\source\\folder");
    EXPECT_EQ(Check("C:/data", "D:\\b"),
              "Source folder must be a fully qualified path e.g. C:\\source\\folder");
    EXPECT_EQ(Check("C:\\a", "D:"),
              "Destination folder must be a fully qualified path e.g. D:\\destination\\folder");
    EXPECT_EQ(Check("C:\\a.lnk", "D:\\b.lnk"), "Source folder can't be a shortcut");
    EXPECT_EQ(Check("C:\\a", "D:\\b.lnk"), "Destination folder can't be a shortcut");
    EXPECT_EQ(Check("C:\\Data", "c:\\data\\"), "Source and destination folders must be different");
}

TEST(CheckCopyPaths, ShortcutTestIsCaseSensitive) {
    EXPECT_EQ(Check("C:\\a.LNK", "D:\\b"), "");
}

TEST(CheckCopyPaths, RefusesRelativePathsThatTheWalkWouldResolveInsideTheSource) {
    EXPECT_EQ(Check("folder\\sub", "D:\\b"),
              "Source folder must be a fully qualified path e.g. C:\\source\\folder");
    EXPECT_EQ(Check("C:\\a", "backup\\new"),
              "Destination folder must be a fully qualified path e.g. D:\\destination\\folder");
    EXPECT_EQ(Check("C:\\a", "\\rooted\\only"),
              "Destination folder must be a fully qualified path e.g. D:\\destination\\folder");
    EXPECT_EQ(Check("\\\\server\\share\\x", "D:\\b"), "") << "network paths are fully qualified";
}

TEST(CheckCopyPaths, RefusesPathsTooLongInsteadOfCuttingThem) {
    std::string longPath = "C:\\" + std::string(300, 'x');
    EXPECT_EQ(Check(longPath, "D:\\b"), "Source folder path is too long (at most 259 characters)");
    EXPECT_EQ(Check("C:\\a", longPath),
              "Destination folder path is too long (at most 259 characters)");
    std::string exactly259 = "C:\\" + std::string(255, 'y') + "\\";
    ASSERT_EQ(exactly259.size(), 259u);
    EXPECT_EQ(Check(exactly259, "D:\\b"), "");
}

// In UTF-8 a character may take three bytes: the limit counts characters as
// Windows does, and two folders whose names differ only in the case of a
// letter beyond ASCII are one folder.
TEST(CheckCopyPaths, CountsCharactersNotBytesAndFoldsEveryLetter) {
    const std::string folder = AnsiFromWide(std::wstring(200, L'\u8cc7'));
    ASSERT_EQ(folder.size(), 600u);
    std::string source = "C:\\" + folder, destination = "D:\\b";
    EXPECT_EQ(CheckCopyPaths(source, destination), "");
    EXPECT_EQ(source, "C:\\" + folder + "\\");
    EXPECT_EQ(Check("C:\\" + folder + AnsiFromWide(std::wstring(57, L'\u8cc7')), "D:\\b"),
              "Source folder path is too long (at most 259 characters)");
    EXPECT_EQ(
        Check(AnsiFromWide(L"C:\\\u00c4rger\\\u03a9"), AnsiFromWide(L"c:\\\u00e4rger\\\u03c9\\")),
        "Source and destination folders must be different");
}

TEST(CheckCopyPaths, NormalisesTrailingBackslashAndDotSegments) {
    std::string source = "C:\\", destination = "D:\\data";
    EXPECT_EQ(CheckCopyPaths(source, destination), "");
    EXPECT_EQ(source, "C:\\");
    EXPECT_EQ(destination, "D:\\data\\");

    source = "C:\\data\\.\\sub\\..";
    destination = "C:\\data\\backup\\x\\..";
    EXPECT_EQ(CheckCopyPaths(source, destination), "");
    EXPECT_EQ(source, "C:\\data\\");
    EXPECT_EQ(destination, "C:\\data\\backup\\");

    source = "C:\\data\\sub\\..";
    destination = "c:\\DATA";
    EXPECT_EQ(CheckCopyPaths(source, destination),
              "Source and destination folders must be different")
        << "two spellings of one folder are the same folder";
}

TEST(ReportLines, SummaryArithmetic) {
    EXPECT_EQ(std::string(kSummaryRule).size(), 60u);
    EXPECT_EQ(std::string(kSummaryRule).rfind("- Summary ", 0), 0u);

    copy_statistics allCopied{0, 3, 0.0, 3145728.0};
    using Lines = std::vector<std::string>;
    EXPECT_EQ(FormatSummaryLines(allCopied, false),
              Lines{"All files copied successfully.  3 files, totalling 3.00Mb."});

    copy_statistics someFailed{1, 3, 1048576.0, 3145728.0};
    EXPECT_EQ(FormatSummaryLines(someFailed, false),
              Lines{"Veltra was unable to copy 1 (of 4) files, totalling 1.00Mb (25.00% of the "
                    "original source folder)"});

    copy_statistics emptyFailures{2, 0, 0.0, 0.0};
    EXPECT_EQ(FormatSummaryLines(emptyFailures, false),
              Lines{"Veltra was unable to copy 2 (of 2) files, totalling 0.00Mb (0.00% of the "
                    "original source folder)"});

    copy_statistics beyond4GB{0, 1, 0.0, 5368709120.0};
    EXPECT_EQ(FormatSummaryLines(beyond4GB, false),
              Lines{"All files copied successfully.  1 files, totalling 5120.00Mb."});
}

TEST(ReportLines, AnIncompleteCopyIsNeverReportedAsASuccess) {
    const std::string incomplete = "The copy is incomplete: some folders could not be read or "
                                   "the copy was stopped.  2 files, totalling 2.00Mb, were copied.";
    copy_statistics stopped{0, 2, 0.0, 2097152.0};
    EXPECT_EQ(FormatSummaryLines(stopped, true), std::vector<std::string>{incomplete});
    // Files failed and folders went unread: both are said, and no share of a
    // source that was not all seen is claimed.
    copy_statistics both{1, 2, 1048576.0, 2097152.0};
    EXPECT_EQ(FormatSummaryLines(both, true),
              (std::vector<std::string>{
                  "Veltra was unable to copy 1 (of 3) files, totalling 1.00Mb", incomplete}));
}

TEST(ReportLines, FilesLeftUpToDateAreSaidAndAreWholeInTheSource) {
    using Lines = std::vector<std::string>;
    copy_statistics secondRun{0, 1, 0.0, 1048576.0, 3, 3145728.0};
    EXPECT_EQ(FormatSummaryLines(secondRun, false),
              (Lines{"All files copied successfully.  1 files, totalling 1.00Mb.",
                     "3 files already up to date were left as they were, totalling 3.00Mb."}));
    // Up-to-date files are in the destination, whole: of the source's 4 MB
    // and 5 files, the failed one is a quarter and one of five.
    copy_statistics oneFailed{1, 1, 1048576.0, 0.0, 3, 3145728.0};
    EXPECT_EQ(FormatSummaryLines(oneFailed, false),
              (Lines{"Veltra was unable to copy 1 (of 5) files, totalling 1.00Mb (25.00% of the "
                     "original source folder)",
                     "3 files already up to date were left as they were, totalling 3.00Mb."}));
    EXPECT_EQ(statistics_line(oneFailed), "Statistics: 0.00Mb copied in 1 files, 3 up to date");
    EXPECT_EQ(statistics_line(copy_statistics{0, 2, 0.0, 0.0}),
              "Statistics: 0.00Mb copied in 2 files");
}

TEST(HelpAddress, BesideTheProgramFileWhateverTheCommandLine) {
    EXPECT_EQ(HelpAddressBeside("C:\\Program Files\\X\\prog.exe"),
              "file://C:\\Program Files\\X\\help.html");
    // The program file of this very process, however it was started.
    std::string self = ProgramPath();
    EXPECT_EQ(self.substr(self.size() - 4), ".exe") << self;
    EXPECT_EQ(HelpAddressBeside(self),
              "file://" + self.substr(0, self.rfind('\\') + 1) + "help.html");
    EXPECT_EQ(HelpOpenFailedMessage("file://C:\\x\\help.html"),
              "Error: showing help file 4.  Try the help link on the Veltra start menu instead. "
              "(file://C:\\x\\help.html)");
}

TEST(CopyPaths, AFolderInDoubleQuotesIsTakenWithoutThem) {
    std::string source = "\"C:\\windows\"", destination = "\"C:\\some copy\\\"";
    EXPECT_EQ(CheckCopyPaths(source, destination), "");
    EXPECT_EQ(source, "C:\\windows\\");
    EXPECT_EQ(destination, "C:\\some copy\\");
    EXPECT_EQ(WithoutQuotes("\""), "\"") << "a lone quote is not a pair";
    EXPECT_EQ(WithoutQuotes("C:\\a \"b\""), "C:\\a \"b\"");
}

// Files kept by the user's answer are counted apart, after the summary line,
// and only real failures make the failure line and its share.
TEST(SummaryLines, KeptFilesHaveTheirOwnLineAndAreNoFailure) {
    copy_statistics kept{0, 2, 0.0, 2097152.0, 0, 0.0, 3, 1048576.0};
    EXPECT_EQ(FormatSummaryLines(kept, false),
              (std::vector<std::string>{
                  "All files copied successfully.  2 files, totalling 2.00Mb.",
                  "3 files were kept as you chose, totalling 1.00Mb."}));
    // After the up-to-date line; part of the source the share is taken of.
    copy_statistics all{1, 2, 1048576.0, 2097152.0, 1, 1048576.0, 1, 1048576.0};
    EXPECT_EQ(FormatSummaryLines(all, false),
              (std::vector<std::string>{
                  "Veltra was unable to copy 1 (of 5) files, totalling 1.00Mb (20.00% of the "
                  "original source folder)",
                  "1 files already up to date were left as they were, totalling 1.00Mb.",
                  "1 files were kept as you chose, totalling 1.00Mb."}));
}
