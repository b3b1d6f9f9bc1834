// Copies onto a destination that runs out of room: a small file system
// mounted for these tests (support/SmallDisk.h). The files that fit must
// arrive whole, the others must be reported and counted as failed, and
// nothing of them may be left behind.
#include "EngineRun.h"
#include "SmallDisk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

namespace {

TEST_F(SmallDiskCase, FilesThatFitArriveWholeAndTheRestAreReported) {
    TempFolder onDisk(disk);
    std::string destination = onDisk.path() + "dest\\";
    EngineRun run = RunEngine(source, destination, recorder);

    std::vector<std::string> notCopied = run.NotCopied();
    std::set<std::string> reported(notCopied.begin(), notCopied.end());
    EXPECT_EQ(reported.size(), notCopied.size()) << "each file reported once";
    int copied = 0, failed = 0, leftovers = 0;
    double bytesCopied = 0, bytesFailed = 0;
    for (const auto& [relative, content] : files) {
        if (reported.count(source + relative)) {
            ++failed;
            bytesFailed += SizeOf(relative);
            leftovers += FileExists(destination + relative);
            EXPECT_FALSE(FileExists(destination + relative))
                << relative << ": a file reported as not copied leaves no part of itself behind";
        } else {
            ++copied;
            bytesCopied += SizeOf(relative);
            EXPECT_TRUE(ArrivedWhole(destination, relative))
                << relative << " was counted as copied but is not equal to its source";
        }
    }
    EXPECT_EQ(failed, static_cast<int>(notCopied.size())) << "only files are reported";
    EXPECT_GT(copied, 0) << "some files fit";
    EXPECT_GT(failed, 0) << "some files do not fit";
    EXPECT_EQ(run.statistics.files_copied, copied);
    EXPECT_EQ(run.statistics.files_failed, failed);
    EXPECT_EQ(run.statistics.bytes_copied, bytesCopied);
    EXPECT_EQ(run.statistics.bytes_failed, bytesFailed);
    for (const auto& n : run.notices)
        EXPECT_NE(n.message, static_cast<UINT>(WM_COPY_ERROR)) << n.text;
    std::printf("[ note ] 4 MiB file system: %d files copied (%.0f bytes), %d reported as not "
                "copied (%.0f bytes), %d of them left behind in part\n",
                copied, bytesCopied, failed, bytesFailed, leftovers);
}

} // namespace
