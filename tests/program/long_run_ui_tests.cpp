// Through the real Veltra.exe: twenty copies into the same destination leave
// it equal to the source without the program's handles or GDI objects
// growing. Twenty copies of 200 files: a leak per copy or per file shows as
// well as with more files, in a time CI can afford.
#include "ProcessGauge.h"
#include "TempFolder.h"
#include "UiDriver.h"
#include "UnixBridge.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

TEST(LongRuns, TwentyCopiesIntoTheSameDestinationStayEqualAndLeakNoHandles) {
    TempFolder temp;
    std::string source = temp.path() + "src\\", destination = temp.path() + "dest\\";
    ASSERT_TRUE(RunUnix("python3 '" + SupportFile("make_tree.py") + "' '" + UnixPathOf(source) +
                        "' 20 10"));
    std::string unixSource = UnixPathOf(source), unixDestination = UnixPathOf(destination);

    VeltraProcess app;
    std::vector<ProcessGauge> gauges;
    std::vector<int> freeGdi;
    DWORD start = GetTickCount();
    for (int run = 1; run <= 20; ++run) {
        StartCopy(app, source, destination);
        ASSERT_TRUE(WaitForCopyComplete(app, 120000)) << "run " << run;
        EXPECT_NE(ReportOf(app).find("All files copied successfully.  200 files, totalling"),
                  std::string::npos)
            << "run " << run;
        EXPECT_TRUE(RunUnix("diff -r '" + unixSource + "' '" + unixDestination + "'"))
            << "run " << run << ": the destination differs from the source";
        gauges.push_back(GaugeProcess(app.pid()));
        freeGdi.push_back(FreeGdiSlotsOf(app.pid()));
    }
    std::printf("20 copies of 200 files in %.1f s\nrun: handles, working set KiB, GDI objects "
                "the program can still create\n",
                (GetTickCount() - start) / 1000.0);
    for (size_t i = 0; i < gauges.size(); ++i)
        std::printf("%2zu: %lu, %zu, %d\n", i + 1, gauges[i].handles, gauges[i].working_set / 1024,
                    freeGdi[i]);
    // The first run may open what stays open (the shell's own objects);
    // from the second on nothing may accumulate.
    ASSERT_EQ(gauges.size(), 20u);
    ASSERT_GT(gauges[1].handles, 0u) << "the handle count could not be read";
    EXPECT_LE(gauges[19].handles, gauges[1].handles + 2) << "handles grow from run to run";
    ASSERT_GT(freeGdi[1], 0) << "the GDI probe could not run in the program";
    EXPECT_GE(freeGdi[19], freeGdi[1] - 2) << "GDI objects grow from run to run";
}

} // namespace
