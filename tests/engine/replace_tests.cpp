// Replacing a file as Windows needs it: a brief lock waited out, a lock for
// good reported as "in use", the swap through ReplaceFileW or a move; no
// temporary file left, one an earlier copy left removed; never a file
// replaced through its short name.
#include "FileCopier.h"
#include "ReplaceWhole.h"
#include "WalkFixture.h"
#include "WideTree.h"

#include <thread>

namespace {

struct SwapCase : WalkCase {
    std::string from = temp.path() + "new.txt", to = destination + "kept long name.txt";
    void SetUp() override {
        WalkCase::SetUp();
        ASSERT_TRUE(MakeTree(destination, {{"kept long name.txt", "old"}}));
        ASSERT_TRUE(WriteFileBytes(from, "new"));
    }
    bool Copy(const std::string& target, known_destination known = {}) {
        return file_copier().copy_file(from, target, true, recorder.queue(), recorder.window(),
                                       false, &fs, known);
    }
    // What the destination folder holds: kept long name.txt alone, with its content.
    std::string Kept() {
        std::string content;
        ReadFileBytes(to, content);
        return NamesIn(destination) == std::vector<std::string>{"kept long name.txt"} ? content
                                                                                      : "more";
    }
    // Held by another program: opened without letting it be renamed.
    HANDLE Hold() {
        return CreateFileA(to.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    }
};

TEST_F(SwapCase, AFileHeldForHalfASecondIsReplacedOnceFree) {
    HANDLE held = Hold();
    std::thread release([held] { Sleep(500), CloseHandle(held); });
    EXPECT_TRUE(Copy(to)) << Describe(recorder.notifications());
    release.join();
    EXPECT_EQ(Kept(), "new");
}

TEST_F(SwapCase, AFileHeldForGoodIsInUseAndNoReadOnlyTemporaryStays) {
    SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = Hold();
    EXPECT_FALSE(Copy(to));
    CloseHandle(held);
    SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(recorder.of(WM_COPY_NOT_COPIED),
              std::vector{NotCopied(from + "  (not copied: in use by another program)")});
    EXPECT_EQ(Kept(), "old");
}

TEST_F(SwapCase, ASwapFailingTwiceWithASharingViolationIsTriedAgain) {
    fs.fail_replace = [](int call) -> DWORD { return call <= 2 ? ERROR_SHARING_VIOLATION : 0; };
    EXPECT_TRUE(Copy(to));
    EXPECT_EQ(fs.replace_calls, 3);
    EXPECT_EQ(Kept(), "new");
}

TEST_F(SwapCase, AVolumeWithoutReplaceFileSwapsByAMove) {
    fs.fail_replace = [](int) -> DWORD { return ERROR_INVALID_FUNCTION; };
    EXPECT_TRUE(Copy(to));
    EXPECT_EQ(fs.moved_to, std::vector{to});
    EXPECT_EQ(Kept(), "new");
}

TEST_F(SwapCase, LeftoversOfTheTemporaryFormGoWhenTheirFolderIsMet) {
    ASSERT_TRUE(MakeTree(source, {{"sub\\a.txt", "a"}}));
    ASSERT_TRUE(MakeTree(destination, {{"~veltra-3-1f.tmp", "crash"},
                                       {"~veltra-notes.tmp", "mine"},
                                       {"sub\\~VELTRA-7-0.TMP", "crash"}}));
    SetFileAttributesA((destination + "~veltra-3-1f.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(is_leftover_temporary(Narrow(temporary_beside(L"x")))) << "this copy's own";
    Run();
    EXPECT_EQ(NamesIn(destination + "sub\\"), std::vector<std::string>{"a.txt"});
    EXPECT_FALSE(FileExists(destination + "~veltra-3-1f.tmp"));
    EXPECT_TRUE(FileExists(destination + "~veltra-notes.tmp"));
}

// Wine gives every long name a short one of its own making and finds a file
// by it, as Windows does.
TEST_F(SwapCase, AShortNameOfAnotherFileIsNeverReplaced) {
    char alias[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(to.c_str(), alias, MAX_PATH), 0u);
    std::string short_name = std::string(alias).substr(std::string(alias).rfind('\\') + 1);
    ASSERT_NE(short_name, "kept long name.txt");
    const std::string why =
        "  (not copied: another file in the destination has this name as its short name)";
    // Looked at, in a folder the walk has just made, and in one it lists.
    EXPECT_FALSE(Copy(destination + short_name));
    EXPECT_FALSE(Copy(destination + short_name, {true, nullptr}));
    EXPECT_EQ(recorder.of(WM_COPY_NOT_COPIED), std::vector(2, NotCopied(from + why)));
    ASSERT_TRUE(MakeTree(source, {{short_name, "new"}}));
    Run();
    EXPECT_EQ(recorder.of(WM_COPY_NOT_COPIED), std::vector{NotCopied(source + short_name + why)});
    EXPECT_EQ(Kept(), "old");
}

} // namespace
