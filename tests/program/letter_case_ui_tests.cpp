// Through the real Veltra.exe: of two names that differ only in letter case,
// made on the Unix side, the second is reported and the summary shows the
// failure.
#include "ReportLines.h"
#include "TempFolder.h"
#include "Trees.h"
#include "UiDriver.h"
#include "UnixBridge.h"

#include <gtest/gtest.h>

namespace {

TEST(CaseClashInTheDialog, TheSecondNameIsReportedAndTheSummaryShowsTheFailure) {
    TempFolder temp;
    std::string source = temp.path() + "src\\", destination = temp.path() + "dest\\";
    ASSERT_TRUE(CreateDirectoryA(source.c_str(), nullptr));
    ASSERT_TRUE(RunUnix("cd '" + UnixPathOf(source) +
                        "' && printf 12345 > Read.me && printf 67890 > read.ME"));
    std::string second;
    for (const std::string& name : NamesIn(source))
        if (name == "Read.me" || name == "read.ME")
            second = name; // the last of the two the listing returns

    VeltraProcess app;
    StartCopy(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app, 60000));
    EXPECT_EQ(ReportOf(app),
              "* Folder " + source + "\r\n+ " + second +
                  "  (not copied: a file or folder of the same name, differing only in letter "
                  "case, was already copied here)\r\n" +
                  kSummaryRule +
                  "\r\nVeltra was unable to copy 1 (of 2) files, totalling 0.00Mb (50.00% of the "
                  "original source folder)\r\n");
}

} // namespace
