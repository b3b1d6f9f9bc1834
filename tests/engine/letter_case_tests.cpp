// Names that differ only in letter case, made on the Unix side where they
// can live side by side. Within one copy the second must not land on the
// first: it is reported as not copied and counted as failed, a folder with
// every file below it. Files that were in the destination before the copy
// are still replaced as the overwrite choice says.
#include "FolderCopier.h"
#include "TempFolder.h"
#include "TreeCheck.h"
#include "Trees.h"
#include "TrustCopy.h"

#include <gtest/gtest.h>

namespace {

const std::string kCaseClash = "  (not copied: a file or folder of the same name, differing only "
                               "in letter case, was already copied here)";

struct CaseClash : ::testing::Test {
    TempFolder temp;
    std::string source = temp.path() + "src\\";
    std::string destination = temp.path() + "dest\\";
    NotificationRecorder recorder;

    void SetUp() override { ASSERT_TRUE(CreateDirectoryA(source.c_str(), nullptr)); }

    // Runs `command` in the source folder on the Unix side.
    void Unix(const std::string& command) {
        std::string unix = UnixPath(source);
        ASSERT_FALSE(unix.empty());
        ASSERT_TRUE(RunUnixCommand("cd '" + unix + "' && " + command)) << command;
    }
    // The names of `folder` in the order the copy meets them.
    static std::vector<std::string> Listing(const std::string& folder) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::string name = entry.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
        return names;
    }
    // Of the two names, the one the listing returns first.
    static std::string FirstOf(const std::vector<std::string>& names, const std::string& a,
                               const std::string& b) {
        for (const std::string& name : names)
            if (name == a || name == b)
                return name;
        return "";
    }
    static std::string Content(const std::string& path) {
        std::string content;
        return ReadFileBytes(path, content) ? content : "<unreadable>";
    }
    static std::vector<std::string> NotCopied(const CopyRun& run) {
        std::vector<std::string> texts;
        for (const Notification& n : run.notices)
            if (n.message == WM_COPY_NOT_COPIED)
                texts.push_back(n.text);
        return texts;
    }
};

TEST_F(CaseClash, SecondFileIsReportedAndCountedAsFailed) {
    Unix("printf upper > A.txt && printf lowercase > a.txt && printf k > keep.txt");
    std::string first = FirstOf(Listing(source), "A.txt", "a.txt");
    std::string second = first == "A.txt" ? "a.txt" : "A.txt";
    std::string firstContent = first == "A.txt" ? "upper" : "lowercase";
    CopyRun run = CopyOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished);

    EXPECT_EQ(Content(destination + first), firstContent) << "the first was not replaced";
    EXPECT_EQ(Listing(destination).size(), 2u);
    EXPECT_EQ(NotCopied(run), std::vector<std::string>{source + second + kCaseClash});
    EXPECT_EQ(run.statistics.files_copied, 2);
    EXPECT_EQ(run.statistics.files_failed, 1);
    EXPECT_EQ(run.statistics.bytes_failed, first == "A.txt" ? 9.0 : 5.0);
    EXPECT_EQ(run.statistics.bytes_copied, first == "A.txt" ? 6.0 : 10.0);
}

TEST_F(CaseClash, SecondFolderIsReportedWithEveryFileBelowIt) {
    Unix("mkdir -p Dir/sub dir && printf 1 > Dir/x.txt && printf 22 > Dir/sub/y.txt && "
         "printf 333 > dir/x.txt && printf 4444 > dir/z.txt");
    std::string first = FirstOf(Listing(source), "Dir", "dir");
    std::string second = first == "Dir" ? "dir" : "Dir";
    CopyRun run = CopyOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished);

    // The first folder arrived as it is, nothing of the second mixed in.
    EXPECT_EQ(CompareTrees(source + first + "\\", destination + first + "\\"), "");
    std::vector<std::string> expected = {source + second + "\\" + kCaseClash};
    int files = 0;
    double bytes = 0;
    for (const std::string& name : Listing(source + second + "\\")) {
        if (name == "sub") {
            expected.push_back(source + second + "\\sub\\y.txt");
            files += 1, bytes += 2;
        } else {
            expected.push_back(source + second + "\\" + name);
            files += 1, bytes += name == "x.txt" ? (second == "Dir" ? 1 : 3) : 4;
        }
    }
    EXPECT_EQ(NotCopied(run), expected) << Describe(run.notices);
    EXPECT_EQ(run.statistics.files_failed, files);
    EXPECT_EQ(run.statistics.bytes_failed, bytes);
    EXPECT_EQ(run.statistics.files_copied, 4 - files);
}

TEST_F(CaseClash, FilesAlreadyInTheDestinationAreStillReplaced) {
    Unix("printf new > a.txt && mkdir Sub && printf inner > Sub/b.txt");
    ASSERT_TRUE(MakeTree(destination, {{"A.TXT", "old and longer"}, {"sub\\B.TXT", "old"}}));
    CopyRun run = CopyOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(Content(destination + "a.txt"), "new");
    EXPECT_EQ(Content(destination + "sub\\b.txt"), "inner");
    EXPECT_TRUE(NotCopied(run).empty()) << Describe(run.notices);
    EXPECT_EQ(run.statistics.files_copied, 2);
    EXPECT_EQ(run.statistics.files_failed, 0);
}

// Each level keeps its own names: the same name in two folders is no clash,
// and a second copy into the same destination replaces the first copy's
// files as before.
TEST_F(CaseClash, SameNameInOtherFoldersAndInALaterCopyIsNoClash) {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "1"}, {"one\\A.txt", "2"}, {"two\\a.TXT", "3"}}));
    CopyRun run = CopyOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.statistics.files_copied, 3);
    EXPECT_TRUE(NotCopied(run).empty()) << Describe(run.notices);
    run = CopyOnWorker(source, destination, recorder);
    EXPECT_EQ(run.statistics.files_copied, 3);
    EXPECT_TRUE(NotCopied(run).empty()) << Describe(run.notices);
    EXPECT_EQ(CompareTrees(source, destination), "");
}

} // namespace
