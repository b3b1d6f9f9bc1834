// A shell copy that fails part-way, as on a disk that fills up, told through
// the engine's seam so that it fails the same way every time: the partly
// written file must go, and a file that was in the destination before the
// copy must never be removed.
#include "FileCopier.h"
#include "NotificationRecorder.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

// Writes the first half of the source to the destination, then fails the
// way the shell does when the disk is full.
struct DiskFillsUp : file_system {
    int calls = 0;
    int file_operation(SHFILEOPSTRUCTA* operation) override {
        ++calls;
        std::string content;
        ReadFileBytes(operation->pFrom, content);
        WriteFileBytes(operation->pTo, content.substr(0, content.size() / 2));
        operation->fAnyOperationsAborted = TRUE;
        return ERROR_CANCELLED;
    }
};

// Fails without touching anything, as when the shell cannot open the source.
struct FailsUntouched : file_system {
    int file_operation(SHFILEOPSTRUCTA*) override { return ERROR_ACCESS_DENIED; }
};

struct PartialCopy : ::testing::Test {
    TempFolder temp;
    NotificationRecorder recorder;
    std::string from = temp.path() + "source.bin", to = temp.path() + "copy.bin";

    bool Copy(file_system& fs, bool silently = true) {
        file_copier copier;
        return copier.copy_file(from, to, silently, recorder.queue(), recorder.window(), false,
                                &fs);
    }
};

TEST_F(PartialCopy, PartlyWrittenNewFileIsRemovedAndReported) {
    ASSERT_TRUE(WriteFileBytes(from, std::string(4096, 's')));
    DiskFillsUp fs;
    EXPECT_FALSE(Copy(fs));
    EXPECT_EQ(fs.calls, 1);
    EXPECT_FALSE(FileExists(to)) << "nothing of a file that was not copied is left";
    std::vector<Notification> expected = {{WM_COPY_STATUS, "Status: copying file " + from},
                                          {WM_COPY_NOT_COPIED, from}};
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
}

TEST_F(PartialCopy, FileThatWasThereBeforeIsNeverRemoved) {
    ASSERT_TRUE(WriteFileBytes(from, "new"));
    ASSERT_TRUE(WriteFileBytes(to, "there before"));
    for (bool silently : {true, false}) {
        FailsUntouched fs;
        EXPECT_FALSE(Copy(fs, silently));
        std::string content;
        ASSERT_TRUE(ReadFileBytes(to, content));
        EXPECT_EQ(content, "there before");
    }
}

} // namespace
