// Replacing a file as Windows needs it: a brief lock waited out, a lock for
// good reported as "in use", the swap through ReplaceFileW or, where the
// volume lacks it, a move; never a temporary file left, and one an earlier
// copy left is removed; never a file replaced through its short name.
#include "FileCopier.h"
#include "ReplaceWhole.h"
#include "WalkFixture.h"
#include "WideTree.h"

#include <algorithm>
#include <thread>

namespace {

struct SwapCase : WalkCase {
    std::string from = temp.path() + "new.txt", to;
    void SetUp() override {
        WalkCase::SetUp();
        CreateDirectoryA(destination.c_str(), nullptr);
        to = destination + "kept.txt";
        ASSERT_TRUE(WriteFileBytes(from, "new"));
        ASSERT_TRUE(WriteFileBytes(to, "old"));
    }
    bool Copy(const std::string& target, known_destination known = {}) {
        return file_copier().copy_file(from, target, true, recorder.queue(), recorder.window(),
                                       false, &fs, known);
    }
    std::string Content(const std::string& path) {
        std::string content;
        return ReadFileBytes(path, content) ? content : "(none)";
    }
    // Held by another program: opened without letting it be renamed.
    static HANDLE Hold(const std::string& path) {
        return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    }
};

TEST_F(SwapCase, AFileHeldForHalfASecondIsReplacedOnceFree) {
    HANDLE held = Hold(to);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] { Sleep(500), CloseHandle(held); });
    bool copied = Copy(to);
    release.join();
    EXPECT_TRUE(copied) << Describe(recorder.notifications());
    EXPECT_EQ(Content(to), "new");
    EXPECT_EQ(NamesIn(destination), std::vector<std::string>{"kept.txt"});
}

TEST_F(SwapCase, AFileHeldForGoodIsInUseAndNoReadOnlyTemporaryStays) {
    ASSERT_TRUE(SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE held = Hold(to);
    EXPECT_FALSE(Copy(to));
    CloseHandle(held);
    SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(
        recorder.of(WM_COPY_NOT_COPIED),
        std::vector<Notification>{NotCopied(from + "  (not copied: in use by another program)")});
    EXPECT_EQ(Content(to), "old");
    EXPECT_EQ(NamesIn(destination), std::vector<std::string>{"kept.txt"});
}

TEST_F(SwapCase, ASwapFailingTwiceWithASharingViolationIsTriedAgain) {
    fs.fail_replace = [](int call) -> DWORD { return call <= 2 ? ERROR_SHARING_VIOLATION : 0; };
    EXPECT_TRUE(Copy(to));
    EXPECT_EQ(fs.replace_calls, 3);
    EXPECT_EQ(Content(to), "new");
    EXPECT_EQ(NamesIn(destination), std::vector<std::string>{"kept.txt"});
}

TEST_F(SwapCase, AVolumeWithoutReplaceFileSwapsByAMove) {
    fs.fail_replace = [](int) -> DWORD { return ERROR_INVALID_FUNCTION; };
    EXPECT_TRUE(Copy(to));
    EXPECT_EQ(fs.moved_to, std::vector<std::string>{to});
    EXPECT_EQ(Content(to), "new");
    EXPECT_EQ(NamesIn(destination), std::vector<std::string>{"kept.txt"});
}

TEST_F(SwapCase, LeftoversOfTheTemporaryFormGoWhenTheirFolderIsMet) {
    ASSERT_TRUE(MakeTree(source, {{"kept.txt", "new"}, {"sub\\a.txt", "a"}}));
    ASSERT_TRUE(MakeTree(destination, {{"~veltra-3-1f.tmp", "crash"},
                                       {"~veltra-notes.tmp", "mine"},
                                       {"sub\\~VELTRA-7-0.TMP", "crash"}}));
    ASSERT_TRUE(
        SetFileAttributesA((destination + "~veltra-3-1f.tmp").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(is_leftover_temporary("~veltra-3-1f.tmp"));
    EXPECT_FALSE(is_leftover_temporary(Narrow(temporary_beside(L"x")))) << "this copy's own";
    Run();
    EXPECT_EQ(NamesIn(destination + "sub\\"), std::vector<std::string>{"a.txt"});
    auto names = NamesIn(destination);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"kept.txt", "sub", "~veltra-notes.tmp"}));
}

// Wine gives every long name a short one of its own making and finds a file
// by it, as Windows does.
TEST_F(SwapCase, AShortNameOfAnotherFileIsNeverReplaced) {
    std::string precious = destination + "abcdefghij.txt";
    ASSERT_TRUE(WriteFileBytes(precious, "precious"));
    char alias[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(precious.c_str(), alias, MAX_PATH), 0u);
    std::string short_name = std::string(alias).substr(std::string(alias).rfind('\\') + 1);
    ASSERT_NE(short_name, "abcdefghij.txt");
    const std::string why = "  (not copied: another file in the destination has this name as "
                            "its short name)";
    // Looked at, and in a folder the walk has just made.
    EXPECT_FALSE(Copy(destination + short_name));
    EXPECT_FALSE(Copy(destination + short_name, {true, nullptr}));
    EXPECT_EQ(recorder.of(WM_COPY_NOT_COPIED),
              (std::vector<Notification>{NotCopied(from + why), NotCopied(from + why)}));
    // In a folder the walk lists.
    ASSERT_TRUE(MakeTree(source, {{short_name, "new"}}));
    Run();
    EXPECT_EQ(recorder.of(WM_COPY_NOT_COPIED),
              std::vector<Notification>{NotCopied(source + short_name + why)});
    EXPECT_EQ(Content(precious), "precious");
    EXPECT_EQ(statistics.files_failed, 1);
}

} // namespace
