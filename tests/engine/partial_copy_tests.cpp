// A copy that fails part-way, as on a disk that fills up, told through
// the engine's seam so that it fails the same way every time: the partly
// written file must go, and a file that was in the destination before the
// copy must never be removed.
#include "FileCopier.h"
#include "NotificationRecorder.h"
#include "TempFolder.h"
#include "WideTree.h"

#include <gtest/gtest.h>

namespace {

// Writes the first half of the source to the destination, then fails the
// way the shell does when the disk is full.
struct DiskFillsUp : file_system {
    int calls = 0;
    BOOL copy_file(const wchar_t* from, const wchar_t* to, bool) override {
        ++calls;
        std::string content;
        ReadWideFile(from, content);
        WriteWideFile(to, content.substr(0, content.size() / 2));
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
};

// Fails without touching anything, as when the source cannot be opened.
struct FailsUntouched : file_system {
    BOOL copy_file(const wchar_t*, const wchar_t*, bool) override {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
};

// The same, after a look at the destination that failed for a moment (a
// sharing violation, a network hiccup) although the file is there.
struct LookFailsToo : FailsUntouched {
    DWORD file_attributes(const wchar_t*) override {
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
    std::vector<Notification> expected = {
        {WM_COPY_NOT_COPIED, from + "  (not copied: the destination disk is full)"}};
    EXPECT_EQ(recorder.without_progress(), expected) << Describe(recorder.notifications());
    EXPECT_EQ(recorder.last_status(), "Status: copying file " + from);
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
