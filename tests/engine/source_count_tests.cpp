// The counting walk enters what the copy enters: the same files and bytes
// as the copy deals with, on a tree holding the destination, a folder link
// back into itself and a name Windows' file functions cannot reach.
#include "EngineRun.h"
#include "SourceCount.h"
#include "Trees.h"
#include "UnixBridge.h"

#include <gtest/gtest.h>

TEST_F(CopyFolders, TheCountIsWhatTheCopyDealsWith) {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "alpha"},
                                  {"sub\\b.bin", std::string(70000, 'b')},
                                  {"sub\\deep\\c.txt", "c"},
                                  {"dest\\old.txt", "in the destination already"}}));
    std::string unixSource = UnixPathOf(source);
    ASSERT_TRUE(RunUnix("ln -s '" + unixSource + "sub' '" + unixSource + "sub/deep/back' && mkdir '" +
                        unixSource + "dot.' && echo x > '" + unixSource + "dot./x.txt'"));
    std::string inside = source + "dest\\";

    source_count count(source, inside, nullptr);
    count.run();
    EngineRun run = RunEngine(source, inside, recorder);
    ASSERT_TRUE(run.finished);
    ASSERT_TRUE(count.totals());
    EXPECT_EQ(count.totals()->files, run.statistics.files_copied + run.statistics.files_failed);
    EXPECT_EQ(count.totals()->bytes, run.statistics.bytes_copied + run.statistics.bytes_failed);
    EXPECT_EQ(count.totals()->files, 3) << "not the destination, the link's loop or dot.'s file";
}

TEST_F(CopyFolders, AStoppedCountGivesNoTotals) {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "alpha"}}));
    source_count count(source, destination, nullptr);
    count.stop();
    count.run();
    EXPECT_FALSE(count.totals());
}
