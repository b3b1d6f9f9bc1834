// The file copy step on real files under Wine: copies, replacements, the
// shell's overwrite question answered No, failures, long paths.
#include "FileCopier.h"
#include "NotificationRecorder.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
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

// Long paths are prepared and checked through the wide \\?\ calls, which the
// ANSI calls cannot reach past MAX_PATH.
std::wstring Long(const std::string& path) {
    return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

bool WriteLong(const std::string& path, const std::string& content) {
    HANDLE h =
        CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
    return written == content.size();
}

bool ReadLong(const std::string& path, std::string& content) {
    HANDLE h = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    char buffer[256];
    DWORD got = 0;
    content.clear();
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(h);
    return true;
}

// A file whose path is longer than MAX_PATH. Whatever the shell does with it,
// the file is never copied to a shortened name, and the result reported
// agrees with what is on disk.
TEST_F(CopyCase, PathLongerThanMaxPathIsNeverCut) {
    std::string folder = temp.path();
    for (int i = 0; i < 3; ++i) {
        folder += std::string(90, 'a' + i) + "\\";
        ASSERT_TRUE(CreateDirectoryW(Long(folder).c_str(), nullptr));
    }
    std::string from = folder + "source.txt", to = folder + "destination.txt";
    ASSERT_GT(from.size(), 260u);
    ASSERT_TRUE(WriteLong(from, "long"));

    bool copied = Copy(from, to, true);
    std::string got;
    bool present = ReadLong(to, got);
    EXPECT_EQ(copied, present && got == "long") << "reported result matches the disk";
    std::vector<Notification> expected = {Status(from)};
    if (!copied)
        expected.push_back({WM_COPY_NOT_COPIED, from});
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
    // Nothing appeared under a cut name, here or one level up.
    for (std::string place : {folder, folder.substr(0, folder.size() - 91)}) {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((Long(place) + L"*").c_str(), &entry);
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
    DeleteFileW(Long(from).c_str());
    DeleteFileW(Long(to).c_str());
    for (int i = 0; i < 3; ++i) {
        RemoveDirectoryW(Long(folder).c_str());
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
        while (!m_stop) {
            EnumWindows(&QuestionAnswerer::Visit, reinterpret_cast<LPARAM>(this));
            Sleep(50);
        }
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM self_) {
        auto* self = reinterpret_cast<QuestionAnswerer*>(self_);
        if (GetWindow(window, GW_OWNER) != self->m_owner || !IsWindowVisible(window))
            return TRUE;
        if (HWND no = GetDlgItem(window, IDNO)) {
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED),
                         reinterpret_cast<LPARAM>(no));
            ++self->m_answered;
            Sleep(200);
        }
        return TRUE;
    }
    HWND m_owner;
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
