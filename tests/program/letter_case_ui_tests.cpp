// Through the real Veltra.exe: of two names that differ only in letter case
// (of a letter beyond ASCII), made on the Unix side, the second is reported
// and the summary shows the failure.
#include "AnsiText.h"
#include "ReportLines.h"
#include "TempFolder.h"
#include "Trees.h"
#include "UiDriver.h"
#include "UnixBridge.h"

#include <gtest/gtest.h>

namespace {

// The two names differ only in the case of a letter beyond ASCII, which
// Windows folds as it folds A and a.
TEST(CaseClashInTheDialog, TheSecondNameIsReportedAndTheSummaryShowsTheFailure) {
    TempFolder temp;
    std::string source = temp.path() + "src\\", destination = temp.path() + "dest\\";
    ASSERT_TRUE(CreateDirectoryA(source.c_str(), nullptr));
    // Made on the Unix side, where both can live; "\303\204" and "\303\244"
    // are the A and a with diaeresis in UTF-8.
    ASSERT_TRUE(RunUnix("cd '" + UnixPathOf(source) +
                        "' && printf 12345 > $(printf '\\303\\204rger.txt') && printf 67890 > "
                        "$(printf '\\303\\244rger.txt')"));
    const std::string upper = AnsiFromWide(L"\u00c4rger.txt"),
                      lower = AnsiFromWide(L"\u00e4rger.txt");
    std::string second;
    for (const std::string& name : NamesIn(source))
        if (name == upper || name == lower)
            second = name; // the last of the two the listing returns
    ASSERT_FALSE(second.empty());

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
