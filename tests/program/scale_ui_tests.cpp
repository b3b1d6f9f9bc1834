// 200,000 files in 2,000 folders through the real Veltra.exe: the copy
// completes, the counters are exact, the program's memory stays flat and
// its dialog keeps answering while the copy runs. The figures are printed.
#include "TempFolder.h"
#include "TrustUi.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

TEST(Scale, TwoHundredThousandFilesInTwoThousandFolders) {
    TempFolder temp;
    std::string source = temp.path() + "src\\", destination = temp.path() + "dest\\";
    DWORD built = GetTickCount();
    ASSERT_TRUE(RunUnix("python3 '" + TrustScriptFolder() + "/make_tree.py' '" +
                            UnixPathOf(source) + "' 2000 100",
                        600000));
    std::printf("tree of 200000 files built in %.1f s\n", (GetTickCount() - built) / 1000.0);

    VeltraProcess app;
    ProcessGauge before = GaugeProcess(app.pid());
    DWORD start = GetTickCount();
    StartCopyFromDialog(app, source, destination);
    // While it runs: read the status line every second and note how long the
    // dialog took to answer, and the program's working set.
    double slowest = 0, answers = 0;
    int unanswered = 0, readings = 0;
    SIZE_T earlyWorkingSet = 0, largestWorkingSet = 0;
    std::string status;
    for (;;) {
        Sleep(1000);
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
        if (status == "Status: Folder copy complete" || GetTickCount() - start > 1500000)
            break;
    }
    double seconds = (GetTickCount() - start) / 1000.0;
    ProcessGauge after = GaugeProcess(app.pid());
    std::printf("copied in %.1f s (%.0f files/s); status line read %d times, slowest answer "
                "%.1f ms, mean %.1f ms, %d unanswered\nworking set: before %zu KiB, after 10 s "
                "%zu KiB, largest %zu KiB, peak %zu KiB; handles before %lu, after %lu\n",
                seconds, 200000 / seconds, readings, slowest, readings ? answers / readings : 0,
                unanswered, before.working_set / 1024, earlyWorkingSet / 1024,
                largestWorkingSet / 1024, after.peak_working_set / 1024, before.handles,
                after.handles);
    ASSERT_EQ(status, "Status: Folder copy complete");
    EXPECT_EQ(unanswered, 0) << "the dialog stopped answering during the copy";
    EXPECT_GE(readings, 10);
    std::string report = TextOf(app.item(IDC_REPORT_EDIT));
    EXPECT_NE(report.find("All files copied successfully.  200000 files, totalling"),
              std::string::npos)
        << report;
    EXPECT_NE(TextOf(app.item(IDC_STATISTICS_TEXT)).find("copied in 200000 files"),
              std::string::npos);
    // Flat: what the program holds does not grow with the number of files.
    EXPECT_LT(largestWorkingSet, earlyWorkingSet + 64 * 1024 * 1024);
    EXPECT_TRUE(
        RunUnix("diff -r '" + UnixPathOf(source) + "' '" + UnixPathOf(destination) + "'", 600000))
        << "the destination differs from the source";
    // Four hundred thousand files go faster from the Unix side than one by one.
    RunUnix("rm -rf '" + UnixPathOf(source) + "' '" + UnixPathOf(destination) + "'", 600000);
}

} // namespace
