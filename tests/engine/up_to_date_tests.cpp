// "Skip files already up to date": a file whose destination holds a file of
// the same size, last written within two seconds of it, is left alone; every
// other file is copied as before, and nothing only in the destination is
// touched. The destination folder is listed once, not looked at per file.
#include "TempFolder.h"
#include "WalkFixture.h"

#include <algorithm>

namespace {

FILETIME WriteTimeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Gives `path` the last-write time of `like`, moved by `seconds`.
bool SetWriteTime(const std::string& path, const std::string& like, double seconds) {
    FILETIME time = WriteTimeOf(like);
    ULARGE_INTEGER ticks{{time.dwLowDateTime, time.dwHighDateTime}};
    ticks.QuadPart += static_cast<long long>(seconds * 10'000'000);
    time = {ticks.LowPart, ticks.HighPart};
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    bool ok = h != INVALID_HANDLE_VALUE && SetFileTime(h, nullptr, nullptr, &time);
    CloseHandle(h);
    return ok;
}

std::string Content(const std::string& path) {
    std::string content;
    return ReadFileBytes(path, content) ? content : "<missing>";
}

struct UpToDate : WalkCase {
    void SetUp() override {
        WalkCase::SetUp();
        // Same sizes in both trees unless said; other bytes, so that a copy shows.
        ASSERT_TRUE(MakeTree(source, {{"same.txt", "abcd"}, {"near.txt", "efgh"},
                                      {"far.txt", "ijkl"}, {"resized.txt", "mnop"},
                                      {"marked.txt", "qrst"}, {"inway.txt", "uvwx"},
                                      {"new.txt", "new"}}));
        ASSERT_TRUE(MakeTree(destination, {{"same.txt", "ABCD"}, {"near.txt", "EFGH"},
                                           {"far.txt", "IJKL"}, {"resized.txt", "MNOPQ"},
                                           {"marked.txt", "QRST"}, {"inway.txt\\", ""},
                                           {"only.txt", "only in the destination"}}));
        for (auto [name, seconds] : {std::pair{"same.txt", 0.0}, {"near.txt", -1.0},
                                     {"far.txt", 5.0}, {"resized.txt", 0.0}, {"marked.txt", 0.0}})
            ASSERT_TRUE(SetWriteTime(destination + name, source + name, seconds)) << name;
        ASSERT_TRUE(SetFileAttributesA((source + "marked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    }
    void TearDown() override {
        SetFileAttributesA((source + "marked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA((destination + "marked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    bool LookedAt(const std::string& name) const {
        return std::count(fs.looked_at.begin(), fs.looked_at.end(), destination + name) != 0;
    }
};

TEST_F(UpToDate, SameSizeAndTimeWithinTwoSecondsIsLeftAloneAndAllElseCopied) {
    skipUpToDate = true;
    Run();
    EXPECT_EQ(Content(destination + "same.txt"), "ABCD");
    EXPECT_EQ(Content(destination + "near.txt"), "EFGH") << "1 s apart is up to date";
    EXPECT_EQ(Content(destination + "far.txt"), "ijkl") << "5 s apart is copied";
    EXPECT_EQ(Content(destination + "resized.txt"), "mnop") << "another size is copied";
    EXPECT_EQ(Content(destination + "marked.txt"), "QRST") << "no data written";
    EXPECT_EQ(GetFileAttributesA((destination + "marked.txt").c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY))
        << "it takes the source's attributes";
    EXPECT_EQ(Content(destination + "new.txt"), "new");
    EXPECT_EQ(Content(destination + "only.txt"), "only in the destination");
    EXPECT_TRUE(GetFileAttributesA((destination + "inway.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_EQ(statistics.files_up_to_date, 3);
    EXPECT_EQ(statistics.bytes_up_to_date, 12);
    EXPECT_EQ(statistics.files_copied, 3);
    EXPECT_EQ(statistics.files_failed, 1);
    EXPECT_EQ(recorder.last_statistics(), "Statistics: 0.00Mb copied in 3 files, 3 up to date");
    std::vector<Notification> expected = {
        Folder(source),
        NotCopied(source + "inway.txt  (not copied: a folder of the same name is in its place "
                           "in the destination)"),
        Done()};
    EXPECT_EQ(recorder.without_progress(), expected) << Describe(recorder.notifications());
    // One listing told what the folder holds: no file it named, or did not
    // name, was looked at on its own.
    for (const char* name : {"same.txt", "near.txt", "marked.txt", "new.txt"})
        EXPECT_FALSE(LookedAt(name)) << name;
}

TEST_F(UpToDate, UncheckedEveryFileIsCopiedAsBefore) {
    Run();
    EXPECT_EQ(Content(destination + "same.txt"), "abcd");
    EXPECT_EQ(Content(destination + "near.txt"), "efgh");
    EXPECT_EQ(statistics.files_up_to_date, 0);
    EXPECT_EQ(statistics.files_copied, 6);
    EXPECT_EQ(recorder.last_statistics(), "Statistics: 0.00Mb copied in 6 files");
}

// A file that appears after the folder was listed (another program's, or
// one that only a short name reaches) is not written over blindly: it is
// looked at, and replaced the way an existing file is.
TEST_F(UpToDate, AFileTheListingDidNotShowIsLookedAtBeforeItIsReplaced) {
    fs.before_copy = [&](const std::string& from) {
        if (from == source + "new.txt" && !FileExists(destination + "new.txt"))
            WriteFileBytes(destination + "new.txt", "appeared");
    };
    Run();
    EXPECT_EQ(Content(destination + "new.txt"), "new");
    EXPECT_TRUE(LookedAt("new.txt"));
    EXPECT_EQ(statistics.files_failed, 1) << "only the folder in the way";
}

} // namespace
