// Through the real Veltra.exe: a name that differs only in letter case (of a
// letter beyond ASCII) shows as a failure in the summary, one folder under
// two spellings is refused at Start Copy, and twenty copies into the same
// destination leave it equal to the source without the program's handle
// count growing.
#include "AnsiText.h"
#include "FormatText.h"
#include "TempFolder.h"
#include "Trees.h"
#include "TrustUi.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

const std::string kRule = "- Summary --------------------------------------------------";

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
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((source + "*.*").c_str(), &entry);
    std::string second;
    do {
        std::string name = entry.cFileName;
        if (name == upper || name == lower)
            second = name; // the last of the two the listing returns
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    ASSERT_FALSE(second.empty());

    VeltraProcess app;
    StartCopyFromDialog(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app, 60000));
    EXPECT_EQ(TextOf(app.item(IDC_REPORT_EDIT)),
              "* Folder " + source + "\r\n+ " + second +
                  "  (not copied: a file or folder of the same name, differing only in letter "
                  "case, was already copied here)\r\n" +
                  kRule +
                  "\r\nVeltra was unable to copy 1 (of 2) files, totalling 0.00Mb (50.00% of the "
                  "original source folder)\r\n");
}

// The source typed by its long name and the destination by its short (8.3)
// name, through a folder link, or as a \\?\ path: one folder, which the copy
// would offer onto itself file by file.
TEST(TwoSpellingsInTheDialog, OneFolderUnderAnotherSpellingIsRefusedAtStartCopy) {
    TempFolder temp;
    std::string source = temp.path() + "Long Source Folder Name\\";
    const std::vector<TreeEntry> tree = {{"a.txt", "one"}, {"sub\\b.txt", "two"}};
    ASSERT_TRUE(MakeTree(source, tree));
    ASSERT_TRUE(MakeTree(temp.path() + "pristine\\", tree));
    char shortPath[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(source.c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_TRUE(
        RunUnix("ln -s '" + UnixPathOf(source) + "' '" + UnixPathOf(temp.path()) + "link'"));

    VeltraProcess app;
    for (std::string other : {std::string(shortPath), temp.path() + "link", "\\\\?\\" + source}) {
        StartCopyFromDialog(app, source, other);
        HWND alert = app.WaitForWindow("Veltra Alert");
        ASSERT_NE(alert, nullptr) << other << ": no alert, a copy started";
        EXPECT_EQ(TextOf(GetDlgItem(alert, IDC_ALERT_MESSAGE)),
                  "Source and destination folders must be different")
            << other;
        Press(alert, IDOK);
        ASSERT_TRUE(app.WaitForWindowGone(alert));
        EXPECT_EQ(TextOf(app.item(IDC_STATUS_TEXT)), "Status: Ready") << other;
    }
    EXPECT_EQ(CompareTrees(temp.path() + "pristine\\", source), "") << "the source changed";
}

TEST(LongRuns, TwentyCopiesIntoTheSameDestinationStayEqualAndLeakNoHandles) {
    TempFolder temp;
    std::string source = temp.path() + "src\\", destination = temp.path() + "dest\\";
    ASSERT_TRUE(RunUnix("python3 '" + TrustScriptFolder() + "/make_tree.py' '" +
                        UnixPathOf(source) + "' 20 100"));
    std::string unixSource = UnixPathOf(source), unixDestination = UnixPathOf(destination);

    VeltraProcess app;
    std::vector<ProcessGauge> gauges;
    std::vector<int> freeGdi;
    DWORD start = GetTickCount();
    for (int run = 1; run <= 20; ++run) {
        StartCopyFromDialog(app, source, destination);
        ASSERT_TRUE(WaitForCopyComplete(app, 120000)) << "run " << run;
        EXPECT_NE(TextOf(app.item(IDC_REPORT_EDIT))
                      .find("All files copied successfully.  2000 files, totalling"),
                  std::string::npos)
            << "run " << run;
        EXPECT_TRUE(RunUnix("diff -r '" + unixSource + "' '" + unixDestination + "'"))
            << "run " << run << ": the destination differs from the source";
        gauges.push_back(GaugeProcess(app.pid()));
        freeGdi.push_back(FreeGdiSlotsOf(app.pid()));
    }
    std::printf("20 copies of 2000 files in %.1f s\nrun: handles, working set KiB, GDI objects "
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
