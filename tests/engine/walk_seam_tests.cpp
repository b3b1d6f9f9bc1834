// Failures a real folder cannot be made to produce under Wine, through the
// seam: each its message, and the walk goes on as it should.
#include "WalkFixture.h"

namespace {

std::string CurrentFolder() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

struct SeamCase : WalkCase {
    void SetUp() override {
        WalkCase::SetUp();
        ASSERT_TRUE(MakeTree(source, {{"1.txt", "1"}, {"2.txt", "2"}, {"3.txt", "3"}}));
    }
    int Errors() {
        int n = 0;
        for (const Notification& each : recorder.notifications())
            n += each.message == WM_COPY_ERROR;
        return n;
    }
};

TEST_F(SeamCase, FindNextFailingMidwayEndsThatListing) {
    // "." and ".." come first under Wine; the fourth call is past a file.
    fs.fail_find_next = [](int call) -> DWORD { return call == 4 ? ERROR_NOT_READY : 0; };
    std::string before = CurrentFolder();
    Run();
    EXPECT_EQ(statistics.files_copied, 2);
    EXPECT_EQ(Errors(), 1);
    auto all = recorder.notifications();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[all.size() - 2], Error("Error: Find next file failed (21)"));
    EXPECT_EQ(fs.find_close_calls, 1);
    EXPECT_EQ(CurrentFolder(), before);
    EXPECT_TRUE(incomplete);
}

TEST_F(SeamCase, FindCloseFailingIsReportedAndTheFolderRestored) {
    fs.fail_find_close = ERROR_INVALID_HANDLE;
    std::string before = CurrentFolder();
    Run();
    EXPECT_EQ(statistics.files_copied, 3);
    auto all = recorder.notifications();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[all.size() - 2], Error("Error: Find close failed (6)"));
    EXPECT_EQ(CurrentFolder(), before);
}

TEST_F(SeamCase, RestoreFailingIsReported) {
    std::string before = CurrentFolder();
    fs.fail_set_current = [&](const std::string& path) -> DWORD {
        return path == before ? ERROR_PATH_NOT_FOUND : 0;
    };
    Run();
    EXPECT_EQ(statistics.files_copied, 3);
    auto all = recorder.notifications();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(
        all[all.size() - 2],
        Error("Error: Couldn't restore current folder - Check folder exists (" + before + ")(3)"));
    SetCurrentDirectoryA(before.c_str());
}

TEST_F(SeamCase, UnreadableCurrentFolderEndsTheWalkAtOnce) {
    fs.fail_get_current = true;
    Run();
    std::vector<Notification> expected = {Error("Error: Couldn't get current folder from system"),
                                          Done()};
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
    EXPECT_TRUE(incomplete);
}

TEST_F(SeamCase, SubfolderDenyingAccessIsReportedAndSkipped) {
    ASSERT_TRUE(MakeTree(source, {{"closed\\x.txt", "x"}, {"odd\\y.txt", "y"}}));
    std::string closed = source + "closed\\", odd = source + "odd\\";
    fs.fail_set_current = [&](const std::string& path) -> DWORD {
        return path == closed ? ERROR_ACCESS_DENIED : path == odd ? ERROR_SHARING_VIOLATION : 0;
    };
    Run();
    EXPECT_EQ(statistics.files_copied, 3);
    EXPECT_EQ(statistics.files_failed, 0);
    EXPECT_TRUE(incomplete);
    auto all = recorder.without_progress();
    auto at = std::find(all.begin(), all.end(), Folder(closed));
    ASSERT_NE(at, all.end()) << Describe(all);
    ASSERT_LT(at + 2, all.end());
    EXPECT_EQ(at[1],
              NotCopied(closed + "Unable to access the folder. It's contents was not copied."));
    EXPECT_EQ(at[2], Folder(source));
    EXPECT_NE(std::find(all.begin(), all.end(),
                        Error("Error: Couldn't select folder - Check source folder exists (" + odd +
                              ")(32)")),
              all.end())
        << Describe(all);
}

// Some network redirectors report a zero file index for every folder. Taken
// at its word, every subfolder would be "the destination" and be skipped
// while the summary claimed success.
TEST_F(SeamCase, ZeroFolderIdentitiesCountAsUnknown) {
    const std::vector<TreeEntry> more = {{"sub\\x.txt", "x"}, {"sub\\deeper\\y.txt", "yy"}};
    ASSERT_TRUE(MakeTree(source, more));
    std::string pristine = temp.path() + "pristine\\";
    ASSERT_TRUE(MakeTree(pristine, more));
    ASSERT_TRUE(MakeTree(pristine, {{"1.txt", "1"}, {"2.txt", "2"}, {"3.txt", "3"}}));
    fs.alter_identity = [](folder_identity& identity) {
        identity.index_high = identity.index_low = 0;
    };
    Run();
    EXPECT_EQ(CompareTrees(source, destination), "");
    EXPECT_EQ(CompareTrees(pristine, source), "") << "the source is as it was";
    EXPECT_EQ(statistics.files_copied, 5);
    EXPECT_EQ(Errors(), 0) << Describe(recorder.notifications());
    EXPECT_FALSE(incomplete);
}

} // namespace
