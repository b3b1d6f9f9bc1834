// Copies through the real Veltra.exe onto a destination that runs out of
// room (support/SmallDisk.h): the report lists exactly the files that did
// not arrive whole, under their folders, the summary counts them, and the
// program then copies the same source into a roomy folder.
#include "EngineRun.h"
#include "FormatText.h"
#include "ReportLines.h"
#include "SmallDisk.h"
#include "Trees.h"
#include "UiDriver.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST_F(SmallDiskCase, DialogShowsTheFailuresAndThenCopiesIntoARoomyFolder) {
    TempFolder onDisk(disk);
    std::string destination = onDisk.path() + "dest\\";
    VeltraProcess app;
    StartCopy(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_EQ(app.WaitForWindow("Veltra Alert", 0), nullptr)
        << "the shell's failures need no alert";

    std::set<std::string> failed;
    double bytesFailed = 0, total = 0;
    for (const auto& [relative, content] : files) {
        total += SizeOf(relative);
        if (!ArrivedWhole(destination, relative)) {
            failed.insert(source + relative);
            bytesFailed += SizeOf(relative);
        }
    }
    ASSERT_FALSE(failed.empty()) << "some files do not fit";
    // The walk's notices for this source, from a copy that can write
    // nothing, with a not-copied item kept for each file that did not arrive.
    ASSERT_TRUE(WriteFileBytes(temp.path() + "blocker", "not a folder"));
    // Each with its reason.
    std::vector<Notification> notices;
    for (Notification n : RunEngine(source, temp.path() + "blocker\\dest\\", recorder).notices) {
        if (n.message == WM_COPY_NOT_COPIED) {
            n.text = n.text.substr(0, n.text.find("  ("));
            if (!failed.count(n.text))
                continue;
            n.text += "  (not copied: the destination disk is full)";
        }
        notices.push_back(n);
    }
    EXPECT_EQ(ReportOf(app),
              ReportOfNotices(notices) + kSummaryRule + "\r\n" +
                  FormatText("Veltra was unable to copy %d (of %d) files, totalling %.2fMb "
                             "(%.2f%% of the original source folder)\r\n",
                             static_cast<int>(failed.size()), static_cast<int>(files.size()),
                             bytesFailed / 1048576.0, bytesFailed / total * 100));

    // The same program, the same source, a destination with room enough.
    TempFolder roomy;
    StartCopy(app, source, roomy.path() + "again");
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_EQ(SummaryLine(ReportOf(app)),
              FormatText("All files copied successfully.  %d files, totalling %.2fMb.",
                         static_cast<int>(files.size()), total / 1048576.0));
    EXPECT_EQ(CompareTrees(source, roomy.path() + "again\\"), "");
}

} // namespace
