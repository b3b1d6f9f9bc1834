// Copies onto a destination that runs out of room: a small file system
// mounted for these tests (see small_disk.sh). The files that fit must
// arrive whole, the others must be reported and counted as failed, and the
// program must go on working afterwards.
#include "ConditionSupport.h"
#include "FormatText.h"
#include "TempFolder.h"
#include "Trees.h"
#include "UiSteps.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <set>

#ifndef SMALL_DISK_UNIX_PATH
#error "SMALL_DISK_UNIX_PATH must name the small file system's mount point"
#endif

namespace {

const std::string kRule = "- Summary --------------------------------------------------";

// Bytes that differ from file to file and along each file, so that a file
// cut short or mixed up with another never compares equal.
std::string Pattern(unsigned seed, size_t size) {
    std::string bytes(size, '\0');
    unsigned state = seed * 2654435761u + 1;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

struct SmallDiskCase : ::testing::Test {
    TempFolder temp;
    std::string source = temp.path() + "source\\";
    std::string disk = WindowsPathOf(SMALL_DISK_UNIX_PATH) + "\\";
    std::map<std::string, std::string> files; // relative path -> content
    NotificationRecorder recorder;

    void SetUp() override {
        ULARGE_INTEGER available{}, total{}, free{};
        if (!GetDiskFreeSpaceExA(disk.c_str(), &available, &total, &free) ||
            total.QuadPart > 64ull * 1048576) {
            std::string reason;
            if (!ReadFileBytes(WindowsPathOf(SMALL_DISK_UNIX_PATH ".reason"), reason))
                reason = "the fixture conditions_small_disk_mount did not run";
            GTEST_SKIP() << "no small file system is mounted at " << SMALL_DISK_UNIX_PATH
                         << " (mounting needs root with CAP_SYS_ADMIN): " << reason;
        }
        // About 6.5 MiB for a 4 MiB file system, in sizes that fill it
        // unevenly: after a large file fails, smaller ones may still fit.
        unsigned seed = 0;
        for (int i = 0; i < 3; ++i)
            files[FormatText("big%d.bin", i)] = Pattern(++seed, 1572864);
        for (int i = 0; i < 10; ++i)
            files[FormatText("small%02d.txt", i)] = Pattern(++seed, 10240 + i);
        for (int i = 0; i < 3; ++i)
            files[FormatText("sub\\mid%d.bin", i)] = Pattern(++seed, 614400);
        files["sub\\deeper\\tiny.txt"] = Pattern(++seed, 100);
        std::vector<TreeEntry> tree;
        for (const auto& [path, content] : files)
            tree.push_back({path, content});
        ASSERT_TRUE(MakeTree(source, tree));
    }

    double SizeOf(const std::string& relative) const {
        return static_cast<double>(files.at(relative).size());
    }
    bool ArrivedWhole(const std::string& copy, const std::string& relative) const {
        std::string got;
        return ReadFileBytes(copy + relative, got) && got == files.at(relative);
    }
};

TEST_F(SmallDiskCase, FilesThatFitArriveWholeAndTheRestAreReported) {
    ScratchFolder onDisk(disk);
    std::string destination = onDisk.path() + "dest\\";
    EngineRun run = RunEngine(source, destination, true, recorder);

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
    for (const auto& n : run.notifications)
        EXPECT_NE(n.message, static_cast<UINT>(WM_COPY_ERROR)) << n.text;
    std::printf("[ note ] 4 MiB file system: %d files copied (%.0f bytes), %d reported as not "
                "copied (%.0f bytes), %d of them left behind in part\n",
                copied, bytesCopied, failed, bytesFailed, leftovers);
}

TEST_F(SmallDiskCase, DialogShowsTheFailuresAndThenCopiesIntoARoomyFolder) {
    ScratchFolder onDisk(disk);
    std::string destination = onDisk.path() + "dest\\";
    VeltraProcess app;
    StartCopyFromDialog(app, source, destination);
    ASSERT_TRUE(WaitForCopyComplete(app));
    EXPECT_EQ(app.WaitForWindow("Veltra Alert", 0), nullptr)
        << "the shell's failures need no alert";

    std::string report = ReportOf(app);
    std::set<std::string> reported = ReportedPaths(report);
    int failed = 0;
    double bytesFailed = 0;
    for (const auto& [relative, content] : files) {
        if (reported.count(source + relative)) {
            ++failed;
            bytesFailed += SizeOf(relative);
            reported.erase(source + relative);
        } else {
            EXPECT_TRUE(ArrivedWhole(destination, relative))
                << relative << " is missing from the report but was not copied whole";
        }
    }
    EXPECT_TRUE(reported.empty()) << "the report lists only files of the source: "
                                  << *reported.begin();
    ASSERT_GT(failed, 0) << report;
    double total = 0;
    for (const auto& [relative, content] : files)
        total += SizeOf(relative);
    EXPECT_EQ(SummaryLine(report),
              FormatText("Veltra was unable to copy %d (of %d) files, totalling %.2fMb (%.2f%% of "
                         "the original source folder)",
                         failed, static_cast<int>(files.size()), bytesFailed / 1048576.0,
                         bytesFailed / total * 100));

    // The same program, the same source, a destination with room enough.
    TempFolder roomy;
    SetTextOf(app.item(IDC_REPORT_EDIT), "");
    StartCopyFromDialog(app, source, roomy.path() + "again");
    ASSERT_TRUE(WaitUntil([&] { return ReportOf(app).find(kRule) != std::string::npos; }, 120000));
    EXPECT_EQ(SummaryLine(ReportOf(app)),
              FormatText("All files copied successfully.  %d files, totalling %.2fMb.",
                         static_cast<int>(files.size()), total / 1048576.0));
    EXPECT_EQ(CompareTrees(source, roomy.path() + "again\\"), "");
}

} // namespace
