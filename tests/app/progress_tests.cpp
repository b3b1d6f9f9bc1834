// How far a copy is and how long it has left, as pure functions: the share
// weighs files and bytes, never goes back and never says 100 before the
// end; the time left shows once steady, and not while the copy stands still.
#include "CopyProgress.h"

#include <gtest/gtest.h>

namespace {

copy_statistics Done(int files, double bytes, int failed = 0) {
    copy_statistics done;
    done.files_copied = files;
    done.bytes_copied = bytes;
    done.files_failed = failed;
    return done;
}

constexpr double kMiB = 1048576.0;

// A copy of `total` files of 4 KiB at `perSecond` files a second, read every
// 200 ms from `fromMs` to `toMs`.
void Copying(CopyProgress& progress, const source_totals& total, DWORD fromMs, DWORD toMs,
             int perSecond, DWORD startMs = 0, bool countKnown = true) {
    for (DWORD ms = fromMs; ms <= toMs; ms += 200) {
        int files = static_cast<int>((ms - startMs) / 1000.0 * perSecond);
        progress.Update(ms, Done(files, files * 4096.0),
                        countKnown ? std::optional(total) : std::nullopt);
    }
}

} // namespace

TEST(ShareDone, SmallFilesAreBoundByTheirNumberLargeFilesByTheirBytes) {
    // 10,000 files of 1 KiB, half of them copied: half done.
    EXPECT_EQ(ShareDone(Done(5000, 5000 * 1024.0), {10000, 10000 * 1024.0}), 50);
    // Four files of 256 MiB and one of them copied: a quarter, not half of
    // the files' weight.
    EXPECT_EQ(ShareDone(Done(1, 256 * kMiB), {4, 1024 * kMiB}), 25);
    // One large file and 1,000 small ones: the small ones copied first are
    // about half of the time.
    int share = ShareDone(Done(1000, 1000 * 4096.0), {1001, 256 * kMiB + 1000 * 4096.0});
    EXPECT_GE(share, 45);
    EXPECT_LE(share, 55);
    // Files not copied were dealt with too.
    EXPECT_EQ(ShareDone(Done(0, 0, 10), {20, 0}), 50);
}

TEST(ShareDone, FilesLeftAloneBySecondPassCountAsDone) {
    copy_statistics done = Done(100, 100 * 4096.0);
    done.files_up_to_date = 9800;
    done.bytes_up_to_date = 9800 * 4096.0;
    EXPECT_EQ(ShareDone(done, {10000, 10000 * 4096.0}), 99);
    done.files_up_to_date = 4900;
    done.bytes_up_to_date = 4900 * 4096.0;
    EXPECT_EQ(ShareDone(done, {10000, 10000 * 4096.0}), 50);
}

TEST(ShareDone, NeverSaysHundredBeforeTheEnd) {
    EXPECT_EQ(ShareDone(Done(10, 10), {10, 10}), 99);
    EXPECT_EQ(ShareDone(Done(12, 20), {10, 10}), 99) << "the source grew after its count";
    EXPECT_EQ(ShareDone(Done(0, 0), {0, 0}), 99) << "nothing to copy";
    EXPECT_EQ(ShareDone(Done(0, 0), {10, 10}), 0);
}

TEST(CopyProgress, NoEstimateInTheFirstSecondsThenOneThatCountsDown) {
    CopyProgress progress;
    const source_totals total{20000, 20000 * 4096.0};
    Copying(progress, total, 0, 3800, 1000);
    EXPECT_TRUE(progress.Share());
    EXPECT_FALSE(progress.SecondsLeft()) << "too soon to tell";
    Copying(progress, total, 4000, 10000, 1000);
    ASSERT_TRUE(progress.SecondsLeft());
    EXPECT_NEAR(*progress.SecondsLeft(), 10, 2); // 10,000 files at 1,000 a second
    // The rate wavers (900 to 1,100 files a second): the estimate only goes down.
    int last = *progress.SecondsLeft(), share = *progress.Share();
    double files = 10000;
    for (DWORD ms = 10200; ms <= 18000; ms += 200) {
        files += ((ms / 200) % 2 ? 900 : 1100) / 5.0;
        progress.Update(ms, Done(static_cast<int>(files), files * 4096.0), total);
        ASSERT_TRUE(progress.SecondsLeft());
        EXPECT_LE(*progress.SecondsLeft(), last) << ms;
        EXPECT_GE(*progress.Share(), share) << ms;
        last = *progress.SecondsLeft();
        share = *progress.Share();
    }
}

TEST(CopyProgress, ACountThatArrivesLateGivesTheShareAndTheTimeLeftAtOnce) {
    CopyProgress progress;
    const source_totals total{30000, 30000 * 4096.0};
    Copying(progress, total, 0, 10000, 1000, 0, false);
    EXPECT_FALSE(progress.Share());
    EXPECT_FALSE(progress.SecondsLeft());
    progress.Update(10200, Done(10200, 10200 * 4096.0), total);
    EXPECT_EQ(progress.Share(), 34);
    ASSERT_TRUE(progress.SecondsLeft()) << "the rate was measured while counting";
    EXPECT_NEAR(*progress.SecondsLeft(), 20, 2);
}

TEST(CopyProgress, AStalledCopyShowsNoTimeLeftUntilItMovesAgain) {
    CopyProgress progress;
    const source_totals total{100000, 100000 * 4096.0};
    Copying(progress, total, 0, 10000, 1000);
    ASSERT_TRUE(progress.SecondsLeft());
    int before = *progress.SecondsLeft();
    // Nothing moves (a slow file, an alert waiting for the person).
    bool withdrawn = false;
    for (DWORD ms = 10200; ms <= 40000; ms += 200) {
        progress.Update(ms, Done(10000, 10000 * 4096.0), total);
        if (progress.SecondsLeft()) {
            EXPECT_GE(*progress.SecondsLeft(), before - 10) << "no countdown while nothing moves";
        }
        withdrawn = withdrawn || !progress.SecondsLeft();
    }
    EXPECT_TRUE(withdrawn);
    EXPECT_FALSE(progress.SecondsLeft()) << "nothing moved for the whole window";
    EXPECT_EQ(progress.Share(), 10);
    Copying(progress, total, 40200, 46000, 1000, 30200);
    EXPECT_TRUE(progress.SecondsLeft());
}

TEST(TimeLeftClause, SecondsInStepsOfFiveUpToNinetyThenMinutes) {
    EXPECT_EQ(TimeLeftClause(0), " - about 5 seconds left");
    EXPECT_EQ(TimeLeftClause(42), " - about 45 seconds left");
    EXPECT_EQ(TimeLeftClause(89), " - about 90 seconds left");
    EXPECT_EQ(TimeLeftClause(90), " - about 2 minutes left");
    EXPECT_EQ(TimeLeftClause(3599), " - about 60 minutes left");
    EXPECT_EQ(CaptionWithShare("Veltra (1.0b)", 7), "7% - Veltra (1.0b)");
}
