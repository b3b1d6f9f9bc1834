// The file copy step on real files under Wine: copies, replacements, the
// replace question answered Skip, failures, long paths.
#include "CopyReasons.h"
#include "FileCopier.h"
#include "NotificationRecorder.h"
#include "TempFolder.h"
#include "WideTree.h"

#include <gtest/gtest.h>


namespace {

struct CopyCase : ::testing::Test {
    TempFolder temp;
    NotificationRecorder recorder;

    bool Copy(const std::string& from, const std::string& to, bool silently,
              bool unavailable = false) {
        file_copier copier;
        return copier.copy_file(from, to, silently, recorder.queue(), recorder.window(),
                                unavailable);
    }
    // The notices of the copies so far, and the status line of the last.
    void ExpectNotices(const std::vector<Notification>& expected, const std::string& from) {
        EXPECT_EQ(recorder.without_progress(), expected) << Describe(recorder.notifications());
        EXPECT_EQ(recorder.last_status(), "Status: copying file " + from);
    }
};

TEST_F(CopyCase, CopiesAndSilentlyReplacesExistingFile) {
    std::string from = temp.path() + "a.txt", to = temp.path() + "b.txt";
    ASSERT_TRUE(WriteFileBytes(from, "new content"));
    EXPECT_TRUE(Copy(from, to, true));
    std::string got;
    ASSERT_TRUE(ReadFileBytes(to, got));
    EXPECT_EQ(got, "new content");

    ASSERT_TRUE(WriteFileBytes(to, "old and longer content"));
    EXPECT_TRUE(Copy(from, to, true));
    ASSERT_TRUE(ReadFileBytes(to, got));
    EXPECT_EQ(got, "new content") << "replaced without a question";
    ExpectNotices({}, from);
}

TEST_F(CopyCase, FailingCopyIsReportedWithItsSourcePath) {
    std::string from = temp.path() + "missing.txt", to = temp.path() + "out.txt";
    EXPECT_FALSE(Copy(from, to, true));
    EXPECT_FALSE(FileExists(to));
    ExpectNotices({{WM_COPY_NOT_COPIED, from + "  (not copied: the source could not be read)"}},
                  from);
}

// The shell would copy the file into a folder of its name and report
// success, with the file then not where the report says.
TEST_F(CopyCase, FolderInTheFilesPlaceIsReportedNotCopiedInto) {
    std::string from = temp.path() + "report", to = temp.path() + "dest\\report";
    ASSERT_TRUE(WriteFileBytes(from, "report body"));
    ASSERT_TRUE(CreateDirectoryA((temp.path() + "dest").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(to.c_str(), nullptr));
    EXPECT_FALSE(Copy(from, to, true));
    EXPECT_FALSE(FileExists(to + "\\report")) << "copied into the folder";
    EXPECT_TRUE(FolderExists(to));
    std::string content;
    ASSERT_TRUE(ReadFileBytes(from, content));
    EXPECT_EQ(content, "report body");
    ExpectNotices(
        {{WM_COPY_NOT_COPIED,
          from + "  (not copied: a folder of the same name is in its place in the destination)"}},
        from);
}

TEST_F(CopyCase, UnavailableDestinationNeverCopies) {
    struct CountingFs : file_system {
        int calls = 0;
        BOOL copy_file(const wchar_t*, const wchar_t*, bool) override { return ++calls, TRUE; }
    } fs;
    std::string from = temp.path() + "a.txt", to = temp.path() + "b.txt";
    ASSERT_TRUE(WriteFileBytes(from, "x"));
    file_copier copier;
    EXPECT_FALSE(copier.copy_file(from, to, true, recorder.queue(), recorder.window(), true, &fs));
    EXPECT_EQ(fs.calls, 0);
    EXPECT_FALSE(FileExists(to));
    ExpectNotices(
        {{WM_COPY_NOT_COPIED, from + "  (not copied: its folder could not be made in the "
                                     "destination)"}},
        from);
}

TEST_F(CopyCase, DeclinedReplacementIsKeptNotFailed) {
    std::string from = temp.path() + "a.txt", to = temp.path() + "b.txt";
    ASSERT_TRUE(WriteFileBytes(from, "new"));
    ASSERT_TRUE(WriteFileBytes(to, "old"));
    file_copier copier;
    bool kept = false; // the recorder answers Skip
    EXPECT_FALSE(copier.copy_file(from, to, false, recorder.queue(), recorder.window(), false,
                                  nullptr, {}, nullptr, &kept));
    EXPECT_TRUE(kept);
    std::string got;
    ASSERT_TRUE(ReadFileBytes(to, got));
    EXPECT_EQ(got, "old");
    ExpectNotices(
        {{WM_COPY_QUESTION, to},
         {WM_COPY_NOT_COPIED, from + "  (not replaced: you chose to keep the existing file)"}},
        from);
}

TEST_F(CopyCase, AskingCopyOfNewFileNeedsNoAnswer) {
    std::string from = temp.path() + "a.txt", to = temp.path() + "b.txt";
    ASSERT_TRUE(WriteFileBytes(from, "new"));
    EXPECT_TRUE(Copy(from, to, false));
    std::string got;
    ASSERT_TRUE(ReadFileBytes(to, got));
    EXPECT_EQ(got, "new");
}

// Every not-copied file says why, in words the user can act on; an error
// without words of our own gets the system's message, on one line.
TEST(CopyReasons, CommonFailuresInWordsAndTheRestAsTheSystemSaysIt) {
    EXPECT_EQ(not_copied_because(ERROR_SHARING_VIOLATION),
              "  (not copied: in use by another program)");
    EXPECT_EQ(copy_failure_reason(ERROR_LOCK_VIOLATION), "in use by another program");
    EXPECT_EQ(copy_failure_reason(ERROR_ACCESS_DENIED), "access denied");
    EXPECT_EQ(copy_failure_reason(ERROR_DISK_FULL), "the destination disk is full");
    EXPECT_EQ(copy_failure_reason(ERROR_READ_FAULT), "the source could not be read");
    EXPECT_EQ(copy_failure_reason(ERROR_WRITE_PROTECT), "the destination could not be written");
    EXPECT_EQ(copy_failure_reason(ERROR_FILENAME_EXCED_RANGE),
              "a name or path Windows cannot hold");
    std::string other = copy_failure_reason(ERROR_INVALID_FUNCTION);
    EXPECT_GT(other.size(), 4u);
    EXPECT_EQ(other.substr(other.size() - 4), " (1)") << other;
    EXPECT_EQ(other.find_first_of("\r\n"), std::string::npos) << other;
}

// The reason comes from the error the copy met, here one Wine cannot be
// made to give: a source that cannot be read to its end.
TEST_F(CopyCase, AnUnreadableSourceIsReportedWithItsReason) {
    struct ReadFails : file_system {
        BOOL copy_file(const wchar_t*, const wchar_t*, bool) override {
            ::SetLastError(ERROR_READ_FAULT);
            return FALSE;
        }
    } fs;
    std::string from = temp.path() + "a.txt", to = temp.path() + "b.txt";
    ASSERT_TRUE(WriteFileBytes(from, "x"));
    file_copier copier;
    EXPECT_FALSE(copier.copy_file(from, to, true, recorder.queue(), recorder.window(), false, &fs));
    ExpectNotices({{WM_COPY_NOT_COPIED, from + "  (not copied: the source could not be read)"}},
                  from);
}

} // namespace
