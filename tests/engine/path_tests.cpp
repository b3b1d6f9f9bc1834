// Trailing backslashes and destination folder creation, on real folders and,
// for network paths, through the seam.
#include "AnsiText.h"
#include "FolderCopier.h"
#include "PathOps.h"
#include "RecordingFileSystem.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(AddTrailingBackslash, AppendsOnlyWhenMissing) {
    std::string path = "C:\\data";
    add_trailing_backslash(path);
    EXPECT_EQ(path, "C:\\data\\");
    add_trailing_backslash(path);
    EXPECT_EQ(path, "C:\\data\\");
    std::string empty;
    add_trailing_backslash(empty);
    EXPECT_EQ(empty, "\\");
}

// Every letter Windows folds, as NTFS compares names: not only ASCII, and
// on the UTF-16 form, whatever bytes the code page gives each letter.
TEST(SamePathIgnoringCase, IgnoresLetterCaseOnly) {
    EXPECT_TRUE(same_path_ignoring_case("C:\\Data\\Backup\\", "c:\\DATA\\backup\\"));
    EXPECT_TRUE(same_path_ignoring_case(AnsiFromWide(L"C:\\\u00c4rger\\\u03a9mega\\"),
                                        AnsiFromWide(L"C:\\\u00e4RGER\\\u03c9MEGA\\")));
    EXPECT_FALSE(same_path_ignoring_case(AnsiFromWide(L"C:\\Stra\u00dfe\\"), "C:\\STRASSE\\"));
    EXPECT_FALSE(same_path_ignoring_case("C:\\data\\", "C:\\data2\\"));
}

struct CreateFolderCase : ::testing::Test {
    TempFolder temp;
    RecordingFileSystem fs;
    copy_job job{"", "", true, nullptr, nullptr, &fs};
    folder_copier copier{true, &job, nullptr, nullptr};
};

TEST_F(CreateFolderCase, DriveRootIsNeverCreated) {
    EXPECT_TRUE(copier.create_folder("C:\\"));
    EXPECT_TRUE(fs.created.empty());
}

TEST_F(CreateFolderCase, CreatesMissingLevelsTopDownAndAcceptsExistingOnes) {
    std::string root = temp.path();
    std::string path = root + "one\\two\\three\\";
    ASSERT_TRUE(copier.create_folder(path));
    EXPECT_TRUE(FolderExists(path));
    std::vector<std::string> tail(fs.created.end() - 3, fs.created.end());
    std::vector<std::string> expected = {root + "one\\", root + "one\\two\\", path};
    EXPECT_EQ(tail, expected);

    size_t before = fs.created.size();
    EXPECT_TRUE(copier.create_folder(path)) << "an existing chain counts as created";
    EXPECT_EQ(fs.created.size() - before, before);
}

// A file in the way "already exists" for its own level; the level below it
// cannot be created, and nothing deeper is tried.
TEST_F(CreateFolderCase, LevelBlockedByAFileFails) {
    std::string root = temp.path();
    ASSERT_TRUE(WriteFileBytes(root + "blocker", "a file"));
    EXPECT_FALSE(copier.create_folder(root + "blocker\\deeper\\deepest\\"));
    ASSERT_GE(fs.created.size(), 2u);
    EXPECT_EQ(fs.created.back(), root + "blocker\\deeper\\");
    EXPECT_EQ(fs.created[fs.created.size() - 2], root + "blocker\\");
}

TEST_F(CreateFolderCase, NetworkPathSkipsTheServerLevel) {
    fs.fail_create = [](const std::string&) -> DWORD { return ERROR_ALREADY_EXISTS; };
    EXPECT_TRUE(copier.create_folder("\\\\server\\share\\dir\\"));
    std::vector<std::string> expected = {"\\\\server\\share\\", "\\\\server\\share\\dir\\"};
    EXPECT_EQ(fs.created, expected);

    fs.created.clear();
    fs.fail_create = [](const std::string&) -> DWORD { return ERROR_BAD_NETPATH; };
    EXPECT_FALSE(copier.create_folder("\\\\server\\share\\dir\\"));
    expected = {"\\\\server\\share\\"};
    EXPECT_EQ(fs.created, expected);
}

} // namespace
