// The file copy step on real files under Wine: copies, replacements, the
// shell's overwrite question answered No, failures, long paths.
#include "FileCopier.h"
#include "NotificationRecorder.h"
#include "TempFolder.h"
#include "UiDriver.h"
#include "WideTree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

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
    Notification Status(const std::string& path) {
        return {WM_COPY_STATUS, "Status: copying file " + path};
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
    std::vector<Notification> expected = {Status(from), Status(from)};
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
}

TEST_F(CopyCase, FailingCopyIsReportedWithItsSourcePath) {
    std::string from = temp.path() + "missing.txt", to = temp.path() + "out.txt";
    EXPECT_FALSE(Copy(from, to, true));
    EXPECT_FALSE(FileExists(to));
    std::vector<Notification> expected = {Status(from), {WM_COPY_NOT_COPIED, from}};
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
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
    std::vector<Notification> expected = {
        Status(from),
        {WM_COPY_NOT_COPIED,
         from + "  (not copied: a folder of the same name is in its place in the destination)"}};
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
}

TEST_F(CopyCase, UnavailableDestinationNeverCallsTheShell) {
    struct CountingFs : file_system {
        int calls = 0;
        int file_operation(SHFILEOPSTRUCTA*) override { return ++calls, 0; }
    } fs;
    std::string from = temp.path() + "a.txt", to = temp.path() + "b.txt";
    ASSERT_TRUE(WriteFileBytes(from, "x"));
    file_copier copier;
    EXPECT_FALSE(copier.copy_file(from, to, true, recorder.queue(), recorder.window(), true, &fs));
    EXPECT_EQ(fs.calls, 0);
    EXPECT_FALSE(FileExists(to));
    std::vector<Notification> expected = {Status(from), {WM_COPY_NOT_COPIED, from}};
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
}

TEST_F(CopyCase, ShellReceivesWholePathsEndingInTwoNuls) {
    struct CapturingFs : file_system {
        std::string from, to;
        size_t from_terminators = 0;
        int file_operation(SHFILEOPSTRUCTA* op) override {
            from = op->pFrom;
            to = op->pTo;
            from_terminators = (op->pFrom[from.size()] == 0) + (op->pFrom[from.size() + 1] == 0);
            return 0;
        }
    } fs;
    std::string from = temp.path() + std::string(300, 'f');
    std::string to = temp.path() + std::string(310, 't');
    file_copier copier;
    EXPECT_TRUE(copier.copy_file(from, to, true, recorder.queue(), recorder.window(), false, &fs));
    EXPECT_EQ(fs.from, from);
    EXPECT_EQ(fs.to, to);
    EXPECT_EQ(fs.from_terminators, 2u);
}

// A file whose path is longer than MAX_PATH. Whatever the shell does with it,
// the file is never copied to a shortened name, and the result reported
// agrees with what is on disk.
TEST_F(CopyCase, PathLongerThanMaxPathIsNeverCut) {
    std::string folder = temp.path();
    for (int i = 0; i < 3; ++i) {
        folder.append(90, static_cast<char>('a' + i)).append("\\");
        ASSERT_TRUE(CreateDirectoryW(LongPath(folder).c_str(), nullptr));
    }
    std::string from = folder + "source.txt", to = folder + "destination.txt";
    ASSERT_GT(from.size(), 260u);
    ASSERT_TRUE(WriteWideFile(LongPath(from), "long"));

    bool copied = Copy(from, to, true);
    std::string got;
    bool present = ReadWideFile(LongPath(to), got);
    EXPECT_EQ(copied, present && got == "long") << "reported result matches the disk";
    std::vector<Notification> expected = {Status(from)};
    if (!copied)
        expected.push_back({WM_COPY_NOT_COPIED, from});
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
    // Nothing appeared under a cut name, here or one level up.
    for (std::string place : {folder, folder.substr(0, folder.size() - 91)}) {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((LongPath(place) + L"*").c_str(), &entry);
        ASSERT_NE(find, INVALID_HANDLE_VALUE);
        int files = 0;
        do {
            std::wstring name = entry.cFileName;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                ++files;
                EXPECT_TRUE(name == L"source.txt" || name == L"destination.txt");
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
        EXPECT_EQ(files, place == folder ? (copied ? 2 : 1) : 0);
    }
    std::printf("[ note ] shell copy of a %u-byte path: %s\n", static_cast<unsigned>(from.size()),
                copied ? "copied" : "failed, reported as not copied");
    // TempFolder's clean-up cannot reach past MAX_PATH: remove the deep part here.
    DeleteFileW(LongPath(from).c_str());
    DeleteFileW(LongPath(to).c_str());
    for (int i = 0; i < 3; ++i) {
        RemoveDirectoryW(LongPath(folder).c_str());
        folder.resize(folder.size() - 91);
    }
}

// Presses No in every question window that the shell opens for `owner`.
class QuestionAnswerer {
public:
    explicit QuestionAnswerer(HWND owner) : m_owner(owner), m_thread([this] { Run(); }) {}
    ~QuestionAnswerer() {
        m_stop = true;
        m_thread.join();
    }
    int answered() const { return m_answered; }

private:
    void Run() {
        WaitUntil(
            [this] {
                EnumWindows(&QuestionAnswerer::Visit, reinterpret_cast<LPARAM>(this));
                return m_stop.load();
            },
            INFINITE, 50);
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM self_) {
        auto* self = reinterpret_cast<QuestionAnswerer*>(self_);
        if (GetWindow(window, GW_OWNER) != self->m_owner || !IsWindowVisible(window) ||
            !GetDlgItem(window, IDNO) || !self->m_seen.insert(window).second)
            return TRUE;
        Press(window, IDNO);
        ++self->m_answered;
        return TRUE;
    }
    HWND m_owner;
    std::set<HWND> m_seen; // each question is answered once
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_answered{0};
    std::thread m_thread;
};

TEST_F(CopyCase, DeclinedReplacementIsNotCounted) {
    std::string from = temp.path() + "a.txt", to = temp.path() + "b.txt";
    ASSERT_TRUE(WriteFileBytes(from, "new"));
    ASSERT_TRUE(WriteFileBytes(to, "old"));
    bool copied;
    int answered;
    {
        QuestionAnswerer answerer(recorder.window());
        copied = Copy(from, to, false);
        answered = answerer.answered();
    }
    EXPECT_GE(answered, 1) << "the shell asked before replacing";
    EXPECT_FALSE(copied);
    std::string got;
    ASSERT_TRUE(ReadFileBytes(to, got));
    EXPECT_EQ(got, "old");
    std::vector<Notification> expected = {Status(from), {WM_COPY_NOT_COPIED, from}};
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
}

TEST_F(CopyCase, AskingCopyOfNewFileNeedsNoAnswer) {
    std::string from = temp.path() + "a.txt", to = temp.path() + "b.txt";
    ASSERT_TRUE(WriteFileBytes(from, "new"));
    EXPECT_TRUE(Copy(from, to, false));
    std::string got;
    ASSERT_TRUE(ReadFileBytes(to, got));
    EXPECT_EQ(got, "new");
}

} // namespace
