// Copies onto a destination that runs out of room: a small file system
// mounted for these tests (support/SmallDisk.h). The files that fit must
// arrive whole, the others must be reported and counted as failed, and
// nothing of them may be left behind.
#include "EngineRun.h"
#include "SmallDisk.h"
#include "Trees.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

TEST_F(SmallDiskCase, FilesThatFitArriveWholeAndTheRestAreReported) {
    TempFolder onDisk(disk);
    std::string destination = onDisk.path() + "dest\\";
    EngineRun run = RunEngine(source, destination, recorder);

    // Each not-copied file says why.
    const std::string full = "  (not copied: the destination disk is full)";
    std::vector<std::string> notCopied;
    for (std::string text : run.NotCopied()) {
        EXPECT_EQ(text.size() > full.size() ? text.substr(text.size() - full.size()) : text, full);
        notCopied.push_back(text.substr(0, text.size() - std::min(text.size(), full.size())));
    }
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

// A file in the destination replaced by a larger one that does not fit:
// the new copy is written beside it and fails there, so the old file is
// still whole, and nothing of the attempt is left.
TEST_F(SmallDiskCase, AnOverwriteThatFillsTheDiskLeavesTheOldFileAsItWas) {
    TempFolder onDisk(disk);
    std::string destination = onDisk.path() + "dest\\", from = temp.path() + "big\\";
    std::string old(1 << 20, '\0'), bigger(7 << 19, 'n');
    for (size_t i = 0; i < old.size(); ++i)
        old[i] = static_cast<char>(i * 131 + i / 4096);
    ASSERT_TRUE(MakeTree(destination, {{"data.bin", old}}));
    ASSERT_TRUE(MakeTree(from, {{"data.bin", bigger}}));
    EngineRun run = RunEngine(from, destination, recorder);
    EXPECT_EQ(run.NotCopied(), std::vector<std::string>{from + "data.bin  (not copied: the "
                                                               "destination disk is full)"});
    std::string content;
    ASSERT_TRUE(ReadFileBytes(destination + "data.bin", content));
    EXPECT_TRUE(content == old) << "the old file was cut: " << content.size() << " bytes";
    std::printf("[ note ] a %zu-byte file replacing a %zu-byte one on the full disk: %s; the "
                "old file is %s\n",
                bigger.size(), old.size(),
                run.NotCopied().empty() ? "copied" : run.NotCopied()[0].c_str(),
                content == old ? "byte for byte as it was" : "damaged");
    EXPECT_EQ(SizeOfTree(destination).files, 1) << "a temporary file was left";
}

} // namespace
