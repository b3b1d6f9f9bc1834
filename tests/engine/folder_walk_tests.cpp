// The folder walk on real trees under Wine: what is copied, what is counted
// and what the dialog is told.
#include "AnsiText.h"
#include "UnixBridge.h"
#include "WideTree.h"
#include "WalkFixture.h"

#include <cstdio>

namespace {

TEST_F(WalkCase, CopiesNestedTreeExactly) {
    std::string binary;
    for (int i = 0; i < 70000; ++i)
        binary += static_cast<char>(i * 7);
    ASSERT_TRUE(MakeTree(source, {{"top.txt", "hello"},
                                  {"empty\\", ""},
                                  {"sub one\\zero.txt", ""},
                                  {"sub one\\hidden.txt", "hidden"},
                                  {"sub one\\readonly.txt", "read only"},
                                  {AnsiFromWide(L"sub one\\caf\u00e9 \u00df.txt"), "ansi name"},
                                  {"sub one\\deeper\\data.bin", binary},
                                  {"sub one\\deeper\\empty too\\", ""}}));
    SetFileAttributesA((source + "sub one\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((source + "sub one\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    Run();

    EXPECT_EQ(CompareTrees(source, destination), "");
    EXPECT_TRUE(FolderExists(destination + "empty\\"));
    EXPECT_TRUE(FolderExists(destination + "sub one\\deeper\\empty too\\"));
    EXPECT_TRUE(GetFileAttributesA((destination + "sub one\\hidden.txt").c_str()) &
                FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(statistics.files_copied, 6);
    EXPECT_EQ(statistics.files_failed, 0);
    EXPECT_EQ(statistics.bytes_copied, 5.0 + 6 + 9 + 9 + 70000);
    EXPECT_EQ(statistics.bytes_failed, 0.0);
    EXPECT_FALSE(incomplete);
    for (const Notification& n : recorder.notifications())
        EXPECT_NE(n.message, WM_COPY_NOT_COPIED) << n.text;
    SetFileAttributesA((destination + "sub one\\readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The process's current folder is shared by every thread and stops at
// MAX_PATH: the walk lists folders by their own long paths and leaves it
// alone, here one whose UTF-8 path passes MAX_PATH bytes.
TEST_F(WalkCase, CurrentFolderIsLeftAlone) {
    std::string current = temp.path();
    for (int level = 0; level < 2; ++level) {
        current += AnsiFromWide(std::wstring(60, static_cast<wchar_t>(0x8cc7 + level))) + "\\";
        ASSERT_TRUE(CreateDirectoryA(current.c_str(), nullptr));
    }
    ASSERT_GT(current.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "a"}}));
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    Run();
    std::string after(3 * MAX_PATH, '\0');
    after.resize(GetCurrentDirectoryA(static_cast<DWORD>(after.size()), after.data()));
    SetCurrentDirectoryA(before);
    EXPECT_EQ(after + "\\", current);
    EXPECT_EQ(recorder.without_progress(), (std::vector<Notification>{Folder(source), Done()}));
    EXPECT_EQ(statistics.files_copied, 1);
}

// A migrated profile keeps its folders as they were: a hidden folder stays
// hidden, each folder keeps its date (set after its contents, which change
// it), and the folder the user chose never takes the source's attributes,
// which for a drive root are hidden and system. A folder that cannot take
// them gets one line; its files are copied all the same.
TEST_F(WalkCase, FoldersArriveWithTheirAttributesAndDatesButTheChosenFolderIsLeftAlone) {
    ASSERT_TRUE(MakeTree(source, {{"AppData\\a.txt", "a"},
                                  {"AppData\\Inner\\b.txt", "b"},
                                  {"plain\\c.txt", "c"}}));
    const FILETIME written = {0x5d2a8000, 0x01c09d5a}; // early 2001
    auto stamp = [&](const std::string& folder) {
        HANDLE h = CreateFileA(folder.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &written));
        CloseHandle(h);
    };
    stamp(source + "AppData");
    stamp(source + "AppData\\Inner");
    ASSERT_TRUE(SetFileAttributesA((source + "AppData").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((source + "AppData\\Inner").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(
        SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    fs.fail_folder_details = [&](const std::string& folder) -> DWORD {
        return folder == destination + "plain\\" ? ERROR_ACCESS_DENIED : 0;
    };
    Run();
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(CompareTrees(source, destination), "");
    EXPECT_EQ(statistics.files_copied, 3);
    EXPECT_FALSE(incomplete);
    for (std::string folder : {"AppData", "AppData\\Inner"}) {
        WIN32_FILE_ATTRIBUTE_DATA from, to;
        ASSERT_TRUE(GetFileAttributesExA((source + folder).c_str(), GetFileExInfoStandard, &from));
        ASSERT_TRUE(
            GetFileAttributesExA((destination + folder).c_str(), GetFileExInfoStandard, &to));
        EXPECT_EQ(to.dwFileAttributes, from.dwFileAttributes) << folder;
        EXPECT_EQ(CompareFileTime(&to.ftLastWriteTime, &written), 0) << folder;
        SYSTEMTIME when;
        FileTimeToSystemTime(&to.ftLastWriteTime, &when);
        std::printf("[ note ] %s: source attributes 0x%lx, copy 0x%lx, copy written %04u-%02u-%02u\n",
                    folder.c_str(), from.dwFileAttributes, to.dwFileAttributes, when.wYear,
                    when.wMonth, when.wDay);
    }
    DWORD chosen = GetFileAttributesA(destination.c_str());
    EXPECT_EQ(chosen & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
    EXPECT_EQ(recorder.of(WM_COPY_NOT_COPIED),
              std::vector<Notification>{NotCopied(
                  source + "plain\\  (its attributes and date could not be set: access denied)")});
}

TEST_F(WalkCase, SendsExactSequenceForSmallTree) {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "abc"}, {"sub\\b.txt", "defg"}}));
    Run();
    std::vector<Notification> expected = {Folder(source), Folder(source + "sub\\"),
                                          Folder(source), Done()};
    EXPECT_EQ(recorder.without_progress(), expected) << Describe(recorder.notifications());
    // The newest status and statistics are exact at the end.
    std::string last = NamesIn(source).back() == "sub" ? "sub\\b.txt" : "a.txt";
    EXPECT_EQ(recorder.last_status(), "Status: copying file " + source + last);
    EXPECT_EQ(recorder.last_statistics(), "Statistics: 0.00Mb copied in 2 files");
}

TEST_F(WalkCase, StatisticsTextInMegabytes) {
    std::string mebibyte(1048576, 'm');
    ASSERT_TRUE(MakeTree(source, {{"1", mebibyte}, {"2", mebibyte}, {"3", mebibyte}}));
    Run();
    EXPECT_EQ(recorder.last_statistics(), "Statistics: 3.00Mb copied in 3 files");
    EXPECT_EQ(statistics.bytes_copied, 3145728.0);
}

TEST_F(WalkCase, EmptySourceYieldsOneFolderNotice) {
    Run();
    std::vector<Notification> expected = {Folder(source), Done()};
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
    EXPECT_TRUE(FolderExists(destination));
}

TEST_F(WalkCase, MissingSourceReportsOneErrorAndCountsNothing) {
    source = temp.path() + "no such folder\\";
    WIN32_FIND_DATAW entry;
    EXPECT_EQ(FindFirstFileW((LongPath(source) + L"*.*").c_str(), &entry), INVALID_HANDLE_VALUE);
    int code = static_cast<int>(GetLastError());
    Run();
    std::vector<Notification> expected = {
        Error("Source folder does not exist (" + source + ")(" + std::to_string(code) + ")"),
        Done()};
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
    EXPECT_EQ(statistics.files_copied + statistics.files_failed, 0);
    EXPECT_EQ(statistics.bytes_copied + statistics.bytes_failed, 0.0);
    EXPECT_TRUE(incomplete);
}

// The destination typed in other letters, at depth 1 and at depth 3: refused
// once, never walked; a file already in it is not counted.
TEST_F(WalkCase, DestinationInsideSourceIsRefused) {
    for (std::string inner : {"Backup\\", "a\\b\\Backup\\"}) {
        SCOPED_TRACE(inner);
        TempFolder here;
        source = here.path() + "src\\";
        CreateDirectoryA(source.c_str(), nullptr);
        ASSERT_TRUE(MakeTree(
            source, {{"top.txt", "1"}, {"a\\b\\deep.txt", "22"}, {inner + "old.txt", "333"}}));
        std::string typed = source + inner;
        CharUpperBuffA(typed.data(), static_cast<DWORD>(typed.size()));
        destination = typed;
        recorder.clear();
        Run();
        int refusals = 0;
        for (const Notification& n : recorder.notifications()) {
            refusals += n == Error("skipped destination folder as a copy source");
            EXPECT_EQ(n.text.find(source + inner), std::string::npos) << "walked: " << n.text;
        }
        EXPECT_EQ(refusals, 1);
        EXPECT_EQ(statistics.files_copied, 2);
        EXPECT_EQ(statistics.bytes_copied, 3.0);
        EXPECT_TRUE(FileExists(destination + "a\\b\\deep.txt"));
        EXPECT_FALSE(incomplete);
    }
}

// The destination is the source's own parent, typed as it is and by its
// short (8.3) name, and the source holds a folder of its own name: that
// folder's place in the destination is the source itself. Walked, it would
// overwrite the source's notes.txt; it is reported instead.
TEST_F(WalkCase, SubfolderWhosePlaceIsTheSourceItselfIsNotWalked) {
    const std::vector<TreeEntry> tree = {{"notes.txt", "the source's own notes"},
                                         {"Project Docs\\notes.txt", "other notes"},
                                         {"Project Docs\\deeper\\d.txt", "d"}};
    for (bool shortName : {false, true}) {
        SCOPED_TRACE(shortName ? "short name" : "as typed");
        TempFolder here;
        std::string parent = here.path() + "Project Docs\\";
        source = parent + "Project Docs\\";
        ASSERT_TRUE(MakeTree(source, tree));
        ASSERT_TRUE(MakeTree(here.path() + "pristine\\", tree));
        destination = parent;
        if (shortName) {
            char shortPath[MAX_PATH] = {};
            ASSERT_GT(GetShortPathNameA(parent.c_str(), shortPath, MAX_PATH), 0u);
            destination = shortPath;
            ASSERT_EQ(destination.find("Project Docs"), std::string::npos) << destination;
        }
        recorder.clear();
        Run();
        EXPECT_EQ(CompareTrees(here.path() + "pristine\\", source), "") << "the source changed";
        auto all = recorder.without_progress();
        EXPECT_NE(std::find(all.begin(), all.end(),
                            NotCopied(source + "Project Docs\\  (not copied: its place in the "
                                               "destination is the source folder itself)")),
                  all.end())
            << Describe(all);
        EXPECT_TRUE(incomplete) << "the summary must not claim success";
        EXPECT_EQ(statistics.files_failed, 0);
    }
}

// Files going into a destination folder that this copy creates are not
// looked at first (nothing can be there); one that was there before still
// is, at every depth: a folder in a file's place is reported, and a failed
// copy never removes a file that the destination held.
TEST_F(WalkCase, DestinationFoldersThatWereThereAreLookedIntoAtEveryDepth) {
    ASSERT_TRUE(MakeTree(source, {{"old\\report", "new report"}, {"new\\report", "other"}}));
    ASSERT_TRUE(MakeTree(destination, {{"old\\report\\kept.txt", "kept"}}));
    Run();
    EXPECT_EQ(recorder.of(WM_COPY_NOT_COPIED),
              std::vector<Notification>{
                  NotCopied(source + "old\\report  (not copied: a folder of the same name is in "
                                     "its place in the destination)")});
    EXPECT_FALSE(FileExists(destination + "old\\report\\report")) << "copied into the folder";
    EXPECT_EQ(CompareTrees(source + "new\\", destination + "new\\"), "");
    EXPECT_EQ(statistics.files_copied, 1);
    EXPECT_EQ(statistics.files_failed, 1);
}

TEST_F(WalkCase, UncreatableDestinationFailsEverySubfolderFileWithoutShell) {
    ASSERT_TRUE(WriteFileBytes(temp.path() + "blocker", "a file"));
    destination = temp.path() + "blocker\\dest\\";
    ASSERT_TRUE(
        MakeTree(source, {{"top.txt", "1"}, {"sub\\x.txt", "22"}, {"sub\\deep\\y.txt", "333"}}));
    Run();
    std::vector<std::string> offered = {source + "top.txt"};
    EXPECT_EQ(fs.copy_sources, offered) << "only top-level files are tried";
    EXPECT_EQ(statistics.files_failed, 3);
    EXPECT_EQ(statistics.bytes_failed, 6.0);
    EXPECT_EQ(statistics.files_copied, 0);
    std::vector<std::string> reported;
    for (const Notification& n : recorder.of(WM_COPY_NOT_COPIED))
        reported.push_back(n.text);
    std::sort(reported.begin(), reported.end());
    const std::string noFolder = "  (not copied: its folder could not be made in the destination)";
    EXPECT_EQ(reported, (std::vector<std::string>{source + "sub\\deep\\y.txt" + noFolder,
                                                  source + "sub\\x.txt" + noFolder,
                                                  source + "top.txt" + noFolder}));
}

TEST_F(WalkCase, FileHeldOpenIsReportedAndTheWalkGoesOn) {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "a"}, {"locked.txt", "locked"}, {"z.txt", "z"}}));
    HANDLE held = CreateFileA((source + "locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Run();
    CloseHandle(held);
    EXPECT_EQ(statistics.files_failed, 1);
    EXPECT_EQ(statistics.bytes_failed, 6.0);
    EXPECT_EQ(statistics.files_copied, 2);
    std::vector<Notification> expected = {
        Folder(source), NotCopied(source + "locked.txt  (not copied: in use by another program)"),
        Done()};
    EXPECT_EQ(recorder.without_progress(), expected) << Describe(recorder.notifications());
    EXPECT_TRUE(FileExists(destination + "a.txt"));
    EXPECT_TRUE(FileExists(destination + "z.txt"));
}

// Unix symbolic links made from the Unix side: one back to the source, one to
// the folder that holds it, both inside the tree and named once; one to a
// folder outside, which is followed.
TEST_F(WalkCase, FolderLinksInsideTheTreeAreNamedOnceAndNotFollowed) {
    ASSERT_TRUE(MakeTree(source, {{"a\\file.txt", "1"}}));
    ASSERT_TRUE(MakeTree(temp.path(), {{"outside\\o.txt", "22"}}));
    std::string src = UnixPathOf(source), out = UnixPathOf(temp.path() + "outside\\");
    ASSERT_FALSE(src.empty());
    ASSERT_TRUE(RunUnix("ln -s '" + src + "' '" + src + "a/up' && ln -s '" + src + "a' '" + src +
                        "a/self' && ln -s '" + out + "' '" + src + "elsewhere'"));
    Run();
    EXPECT_EQ(statistics.files_copied, 2) << "a\\file.txt and elsewhere\\o.txt, each once";
    EXPECT_EQ(statistics.files_failed, 0);
    EXPECT_TRUE(FileExists(destination + "elsewhere\\o.txt"));
    EXPECT_FALSE(FolderExists(destination + "a\\up"));
    EXPECT_FALSE(incomplete);
    auto all = recorder.without_progress();
    for (auto [link, target] : {std::pair{source + "a\\up\\", source},
                                std::pair{source + "a\\self\\", source + "a\\"}}) {
        auto at = std::find(all.begin(), all.end(),
                            NotCopied(link + "  (not followed: a link to the folder " + target +
                                      ", copied at its own place)"));
        ASSERT_NE(at, all.end()) << Describe(all);
        auto heading = std::find_if(std::make_reverse_iterator(at), all.rend(),
                                    [](auto& n) { return n.message == WM_COPY_FOLDER; });
        ASSERT_NE(heading, all.rend());
        EXPECT_EQ(*heading, Folder(source + "a\\")) << "in the folder that holds it";
    }
    EXPECT_EQ(recorder.of(WM_COPY_NOT_COPIED).size(), 2u) << Describe(all);
}

// A drive's root, a drive letter of its own for a folder: its system
// folder and recycle bin are left out, one note each.
TEST_F(WalkCase, ADrivesRootLeavesOutItsSystemFolders) {
    ASSERT_TRUE(MakeTree(source, {{"doc.txt", "1"},
                                  {"System Volume Information\\tracking.log", "2"},
                                  {"$RECYCLE.BIN\\S-1-5-21\\$R0.txt", "3"}}));
    // Wine finds a drive letter by its link among the prefix's devices.
    const std::string drive = "\"$WINEPREFIX/dosdevices/r:\"";
    ASSERT_TRUE(RunUnix("ln -sn '" + UnixPathOf(source) + "' " + drive));
    source = "R:\\";
    Run();
    RunUnix("rm " + drive);
    EXPECT_FALSE(incomplete);
    auto notes = recorder.of(WM_COPY_NOT_COPIED);
    EXPECT_EQ(notes.size(), 2u);
    for (std::string note : {"$RECYCLE.BIN\\  (left out: the drive's recycle bin)",
                             "System Volume Information\\  (left out: the drive's own system "
                             "folder)"})
        EXPECT_EQ(std::count(notes.begin(), notes.end(), NotCopied("R:\\" + note)), 1) << note;
    EXPECT_EQ(FilesBelow(destination), std::vector<std::string>{"doc.txt"});
}

// A sparse 5 GiB file under a destination that is unavailable: counted to the
// byte, and nothing is written.
TEST_F(WalkCase, CountsFilesBeyondFourGigabytesExactly) {
    HANDLE h = CreateFileA((source + "big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 5LL << 30;
    ASSERT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(h));
    CloseHandle(h);
    copy_job job(source, destination, true, recorder.window(), recorder.queue(), &fs);
    copy_statistics counters;
    folder_copier copier(true, &job, recorder.queue(), recorder.window());
    copier.copy_folder(source, destination, &counters, destination, true, false);
    EXPECT_EQ(counters.bytes_failed, 5368709120.0);
    EXPECT_EQ(counters.files_failed, 1);
    EXPECT_TRUE(fs.copy_sources.empty());
    EXPECT_FALSE(FolderExists(destination));
}

} // namespace
