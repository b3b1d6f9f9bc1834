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

// The same, after a look at the destination that failed for a moment (a
// sharing violation, a network hiccup) although the file is there.
struct LookFailsToo : FailsUntouched {
    DWORD file_attributes(const char*) override {
        ::SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_FILE_ATTRIBUTES;
    }
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
    FailsUntouched fails;
    LookFailsToo lookFails;
    for (file_system* fs : std::initializer_list<file_system*>{&fails, &lookFails}) {
        for (bool silently : {true, false}) {
            EXPECT_FALSE(Copy(*fs, silently));
            std::string content;
            ASSERT_TRUE(ReadFileBytes(to, content));
            EXPECT_EQ(content, "there before") << (fs == &lookFails ? "look failed" : "");
            ASSERT_TRUE(ReadFileBytes(from, content));
            EXPECT_EQ(content, "new") << "the source is as it was";
        }
    }
}

} // namespace
