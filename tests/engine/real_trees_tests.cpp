// Trees nobody here wrote, copied through the real engine: the machine's
// own header and documentation folders. Every file must arrive whole with
// its last-write time, every folder (empty ones too) must be there, and
// whatever is not copied must have been reported.
#include "CopyAudit.h"
#include "EngineRun.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

void CopyAndAudit(const std::string& source) {
    if (!FolderExists(source))
        GTEST_SKIP() << source << " is not on this machine";
    TempFolder temp;
    std::string destination = temp.path() + "copy\\";
    NotificationRecorder recorder;
    EngineRun run = RunEngineOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished) << "the copy did not end in time";

    CopyAudit audit = AuditCopy(source, destination, run.notices);
    std::printf("%s: %d files, %.1f MiB copied, %d failed, in %.1f s; notices: %s\n%s",
                source.c_str(), run.statistics.files_copied,
                run.statistics.bytes_copied / 1048576.0, run.statistics.files_failed, run.seconds,
                NoticeCounts(run.notices).c_str(), audit.Describe().c_str());
    EXPECT_TRUE(audit.lost.empty()) << audit.Describe();
    EXPECT_TRUE(audit.extra.empty()) << audit.Describe();
    EXPECT_EQ(audit.bytes_mismatch, 0);
    // A file counted as copied must be there whole: nothing counted twice,
    // nothing that landed on another file's name.
    EXPECT_EQ(run.statistics.files_copied, audit.equal_files);
    EXPECT_GT(audit.equal_files, 0);
}

TEST(RealTrees, UsrIncludeArrivesWholeOrReported) {
    CopyAndAudit("Z:\\usr\\include\\");
}

TEST(RealTrees, UsrShareDocArrivesWholeOrReported) {
    CopyAndAudit("Z:\\usr\\share\\doc\\");
}

} // namespace
