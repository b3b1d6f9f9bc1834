// Names that differ only in letter case, made on the Unix side where they
// can live side by side. Within one copy the second must not land on the
// first: it is reported as not copied and counted as failed, a folder with
// every file below it. Files that were in the destination before the copy
// are still replaced as the overwrite choice says.
#include "EngineRun.h"
#include "TempFolder.h"
#include "Trees.h"
#include "UnixBridge.h"

#include <gtest/gtest.h>

namespace {

const std::string kCaseClash = "  (not copied: a file or folder of the same name, differing only "
                               "in letter case, was already copied here)";

struct CaseClash : CopyFolders {

    void SetUp() override { ASSERT_TRUE(CreateDirectoryA(source.c_str(), nullptr)); }

    // Runs `command` in the source folder on the Unix side.
    void Unix(const std::string& command) {
        std::string unix = UnixPathOf(source);
        ASSERT_FALSE(unix.empty());
        ASSERT_TRUE(RunUnix("cd '" + unix + "' && " + command)) << command;
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
};

TEST_F(CaseClash, SecondFileIsReportedAndCountedAsFailed) {
    Unix("printf upper > A.txt && printf lowercase > a.txt && printf k > keep.txt");
    std::string first = FirstOf(NamesIn(source), "A.txt", "a.txt");
    std::string second = first == "A.txt" ? "a.txt" : "A.txt";
    std::string firstContent = first == "A.txt" ? "upper" : "lowercase";
    EngineRun run = RunEngineOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished);

    EXPECT_EQ(Content(destination + first), firstContent) << "the first was not replaced";
    EXPECT_EQ(NamesIn(destination).size(), 2u);
    EXPECT_EQ(run.NotCopied(), std::vector<std::string>{source + second + kCaseClash});
    EXPECT_EQ(run.statistics.files_copied, 2);
    EXPECT_EQ(run.statistics.files_failed, 1);
    EXPECT_EQ(run.statistics.bytes_failed, first == "A.txt" ? 9.0 : 5.0);
    EXPECT_EQ(run.statistics.bytes_copied, first == "A.txt" ? 6.0 : 10.0);
}

TEST_F(CaseClash, SecondFolderIsReportedWithEveryFileBelowIt) {
    Unix("mkdir -p Dir/sub dir && printf 1 > Dir/x.txt && printf 22 > Dir/sub/y.txt && "
         "printf 333 > dir/x.txt && printf 4444 > dir/z.txt");
    std::string first = FirstOf(NamesIn(source), "Dir", "dir");
    std::string second = first == "Dir" ? "dir" : "Dir";
    EngineRun run = RunEngineOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished);

    // The first folder arrived as it is, nothing of the second mixed in.
    EXPECT_EQ(CompareTrees(source + first + "\\", destination + first + "\\"), "");
    std::vector<std::string> expected = {source + second + "\\" + kCaseClash};
    const std::string noFolder = "  (not copied: its folder could not be made in the destination)";
    int files = 0;
    double bytes = 0;
    for (const std::string& name : NamesIn(source + second + "\\")) {
        if (name == "sub") {
            expected.push_back(source + second + "\\sub\\y.txt" + noFolder);
            files += 1, bytes += 2;
        } else {
            expected.push_back(source + second + "\\" + name + noFolder);
            files += 1, bytes += name == "x.txt" ? (second == "Dir" ? 1 : 3) : 4;
        }
    }
    EXPECT_EQ(run.NotCopied(), expected) << Describe(run.notices);
    EXPECT_EQ(run.statistics.files_failed, files);
    EXPECT_EQ(run.statistics.bytes_failed, bytes);
    EXPECT_EQ(run.statistics.files_copied, 4 - files);
}

TEST_F(CaseClash, FilesAlreadyInTheDestinationAreStillReplaced) {
    Unix("printf new > a.txt && mkdir Sub && printf inner > Sub/b.txt");
    ASSERT_TRUE(MakeTree(destination, {{"A.TXT", "old and longer"}, {"sub\\B.TXT", "old"}}));
    EngineRun run = RunEngineOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(Content(destination + "a.txt"), "new");
    EXPECT_EQ(Content(destination + "sub\\b.txt"), "inner");
    EXPECT_TRUE(run.NotCopied().empty()) << Describe(run.notices);
    EXPECT_EQ(run.statistics.files_copied, 2);
    EXPECT_EQ(run.statistics.files_failed, 0);
}

// Each level keeps its own names: the same name in two folders is no clash,
// and a second copy into the same destination replaces the first copy's
// files as before.
TEST_F(CaseClash, SameNameInOtherFoldersAndInALaterCopyIsNoClash) {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "1"}, {"one\\A.txt", "2"}, {"two\\a.TXT", "3"}}));
    EngineRun run = RunEngineOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.statistics.files_copied, 3);
    EXPECT_TRUE(run.NotCopied().empty()) << Describe(run.notices);
    run = RunEngineOnWorker(source, destination, recorder);
    EXPECT_EQ(run.statistics.files_copied, 3);
    EXPECT_TRUE(run.NotCopied().empty()) << Describe(run.notices);
    EXPECT_EQ(CompareTrees(source, destination), "");
}

} // namespace
