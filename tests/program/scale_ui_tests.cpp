// Many files through the real Veltra.exe: the copy completes, the counters
// are exact, the program's memory stays flat and its dialog keeps answering
// while the copy runs. The figures are printed.
#include "ProcessGauge.h"
#include "TempFolder.h"
#include "UiDriver.h"
#include "UnixBridge.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Copies `folders` x `perFolder` files through the dialog. The working set
// may not grow by more than `growthLimit` bytes after the first ten readings
// (two and a half seconds: the 20,000 files take less than ten).
void CopyManyFiles(int folders, int perFolder, SIZE_T growthLimit) {
    const int total = folders * perFolder;
    TempFolder temp;
    std::string source = temp.path() + "src\\", destination = temp.path() + "dest\\";
    DWORD built = GetTickCount();
    ASSERT_TRUE(RunUnix("python3 '" + SupportFile("make_tree.py") + "' '" + UnixPathOf(source) +
                            "' " + std::to_string(folders) + " " + std::to_string(perFolder),
                        nullptr, 600000));
    std::printf("tree of %d files built in %.1f s\n", total, (GetTickCount() - built) / 1000.0);

    VeltraProcess app;
    ProcessGauge before = GaugeProcess(app.pid());
    DWORD start = GetTickCount();
    StartCopy(app, source, destination);
    // Four times a second, until the copy completes: how long the dialog
    // takes to answer for its status line, and the program's working set.
    double slowest = 0, answers = 0;
    int unanswered = 0, readings = 0;
    SIZE_T earlyWorkingSet = 0, largestWorkingSet = 0;
    std::string status;
    // The shares the caption shows ("NN% - Veltra (1.0b)"), and whether the
    // statistics line said how long was left.
    std::vector<int> shares;
    bool timeLeftShown = false;
    bool complete = WaitUntil(
        [&] {
            int share = -1;
            if (std::sscanf(TextOf(app.dialog()).c_str(), "%d%% - Veltra (1.0b)", &share) == 1 &&
                (shares.empty() || shares.back() != share))
                shares.push_back(share);
            timeLeftShown = timeLeftShown || TextOf(app.item(IDC_STATISTICS_TEXT)).find(" left") !=
                                                 std::string::npos;
            double ms = TimedText(app.item(IDC_STATUS_TEXT), &status);
            if (ms < 0) {
                ++unanswered;
            } else {
                slowest = std::max(slowest, ms);
                answers += ms;
                ++readings;
            }
            ProcessGauge now = GaugeProcess(app.pid());
            if (readings == 10)
                earlyWorkingSet = now.working_set;
            largestWorkingSet = std::max(largestWorkingSet, now.working_set);
            return status == "Status: Folder copy complete";
        },
        1500000, 250);
    double seconds = (GetTickCount() - start) / 1000.0;
    ProcessGauge after = GaugeProcess(app.pid());
    std::printf(
        "copied in %.1f s (%.0f files/s); status line read %d times, slowest answer "
        "%.1f ms, mean %.1f ms, %d unanswered\nworking set: before %zu KiB, at the "
        "10th reading %zu KiB, largest %zu KiB, peak %zu KiB; handles before %lu, after %lu\n",
        seconds, total / seconds, readings, slowest, readings ? answers / readings : 0, unanswered,
        before.working_set / 1024, earlyWorkingSet / 1024, largestWorkingSet / 1024,
        after.peak_working_set / 1024, before.handles, after.handles);
    ASSERT_TRUE(complete) << status;
    EXPECT_EQ(unanswered, 0) << "the dialog stopped answering during the copy";
    EXPECT_GE(readings, 10);
    std::string report = ReportOf(app);
    EXPECT_NE(report.find("All files copied successfully.  " + std::to_string(total) +
                          " files, totalling"),
              std::string::npos)
        << report;
    // At the end, the caption and the statistics line are as they always were.
    std::string statistics = TextOf(app.item(IDC_STATISTICS_TEXT));
    EXPECT_TRUE(statistics.starts_with("Statistics: ") &&
                statistics.ends_with("Mb copied in " + std::to_string(total) + " files"))
        << statistics;
    EXPECT_EQ(TextOf(app.dialog()), "Veltra (1.0b)");
    std::string seen;
    for (int share : shares)
        seen += std::to_string(share) + "% ";
    std::printf("shares seen in the caption: %s\n", seen.c_str());
    EXPECT_GE(shares.size(), 3u) << seen;
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end())) << "the share went back: " << seen;
    EXPECT_TRUE(!shares.empty() && shares.back() <= 99) << seen;
    EXPECT_TRUE(timeLeftShown) << "no time left in the statistics line";
    // Flat: what the program holds does not grow with the number of files.
    EXPECT_LT(largestWorkingSet, earlyWorkingSet + growthLimit);
    EXPECT_TRUE(RunUnix("diff -r '" + UnixPathOf(source) + "' '" + UnixPathOf(destination) + "'",
                        nullptr, 600000))
        << "the destination differs from the source";
    // So many files go faster from the Unix side than one by one.
    RunUnix("rm -rf '" + UnixPathOf(source) + "' '" + UnixPathOf(destination) + "'", nullptr,
            600000);
}

// In CI: a leak of a kilobyte per file shows beyond the 16 MiB allowed.
TEST(Scale, TwentyThousandFilesInTwoHundredFolders) {
    CopyManyFiles(200, 100, 16 * 1024 * 1024);
}

// The long run (ctest -L long): a few hundred bytes per file would show.
TEST(Scale, TwoHundredThousandFilesInTwoThousandFolders) {
    CopyManyFiles(2000, 100, 64 * 1024 * 1024);
}

} // namespace
