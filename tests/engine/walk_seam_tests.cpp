// Failures a real folder cannot be made to produce under Wine, through the
// seam: each its message, and the walk goes on as it should.
#include "AnsiText.h"
#include "ReportLines.h"
#include "WideTree.h"
#include "UnixBridge.h"
#include "WalkFixture.h"

namespace {

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
    Run();
    EXPECT_EQ(statistics.files_copied, 2);
    EXPECT_EQ(Errors(), 1);
    auto all = recorder.without_progress();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[all.size() - 2], Error("Error: Find next file failed (21)"));
    EXPECT_EQ(fs.find_close_calls, 1);
    EXPECT_TRUE(incomplete);
}

TEST_F(SeamCase, FindCloseFailingIsReported) {
    fs.fail_find_close = ERROR_INVALID_HANDLE;
    Run();
    EXPECT_EQ(statistics.files_copied, 3);
    auto all = recorder.without_progress();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[all.size() - 2], Error("Error: Find close failed (6)"));
}

TEST_F(SeamCase, SubfolderDenyingAccessIsReportedAndSkipped) {
    ASSERT_TRUE(MakeTree(source, {{"closed\\x.txt", "x"}, {"odd\\y.txt", "y"}}));
    std::string closed = source + "closed\\", odd = source + "odd\\";
    fs.fail_find_first = [&](const std::string& folder) -> DWORD {
        return folder == closed ? ERROR_ACCESS_DENIED : folder == odd ? ERROR_SHARING_VIOLATION : 0;
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

// One copy with one file of each reason the report gives, those Wine cannot
// be made to give through the seam: the report a person reads, printed.
TEST_F(WalkCase, TheReportNamesWhyEachFileWasNotCopied) {
    std::string deep = std::string(130, 'd') + "\\" + std::string(130, 'e') + "\\";
    ASSERT_TRUE(MakeTree(source, {{"copied.txt", "fine"},
                                  {"held open.docx", "held"},
                                  {"denied.txt", "d"},
                                  {"too big.iso", "b"},
                                  {"bad sector.dat", "s"},
                                  {"read-only medium.txt", "w"},
                                  {"odd.txt", "o"},
                                  {"folder in the way.txt", "f"},
                                  {"sub\\inner.txt", "i"}}));
    ASSERT_TRUE(MakeWideFolders(LongPath(source + deep)));
    ASSERT_TRUE(WriteWideFile(LongPath(source + deep + "kept.txt"), "new"));
    ASSERT_TRUE(MakeWideFolders(LongPath(destination + deep)));
    ASSERT_TRUE(WriteWideFile(LongPath(destination + deep + "kept.txt"), "old"));
    ASSERT_TRUE(MakeTree(destination, {{"folder in the way.txt\\", ""}, {"sub", "a file"}}));
    HANDLE held = CreateFileA((source + "held open.docx").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    fs.fail_copy = [&](const std::string& from) -> DWORD {
        std::string name = from.substr(from.rfind('\\') + 1);
        return name == "denied.txt"             ? ERROR_ACCESS_DENIED
               : name == "too big.iso"          ? ERROR_DISK_FULL
               : name == "bad sector.dat"       ? ERROR_CRC
               : name == "read-only medium.txt" ? ERROR_WRITE_PROTECT
               : name == "odd.txt"              ? ERROR_INVALID_FUNCTION
                                                : 0;
    };
    Run(false); // asked before replacing: kept.txt is kept (the recorder answers Skip)
    CloseHandle(held);

    std::string report = ReportOfNotices(recorder.notifications()) + kSummaryRule + "\r\n";
    for (const std::string& line : FormatSummaryLines(statistics, incomplete))
        report += line + "\r\n";
    std::printf("%s", report.c_str());
    for (const char* why :
         {"held open.docx  (not copied: in use by another program)",
          "denied.txt  (not copied: access denied)",
          "too big.iso  (not copied: the destination disk is full)",
          "bad sector.dat  (not copied: the source could not be read)",
          "read-only medium.txt  (not copied: the destination could not be written)",
          "folder in the way.txt  (not copied: a folder of the same name is in its place in the "
          "destination)",
          "inner.txt  (not copied: its folder could not be made in the destination)",
          "kept.txt  (not replaced: you chose to keep the existing file)"})
        EXPECT_NE(report.find(std::string("\r\n+ ") + why + "\r\n"), std::string::npos) << why;
    EXPECT_NE(report.find("\r\n+ odd.txt  (not copied: "), std::string::npos) << report;
    EXPECT_EQ(report.find("copied.txt  ("), std::string::npos);
    EXPECT_EQ(statistics.files_failed, 8);
    EXPECT_EQ(statistics.files_kept, 1) << "kept by the answer, not failed";
    EXPECT_EQ(statistics.files_copied, 1);
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
        identity.id_high = identity.id_low = 0;
    };
    Run();
    EXPECT_EQ(CompareTrees(source, destination), "");
    EXPECT_EQ(CompareTrees(pristine, source), "") << "the source is as it was";
    EXPECT_EQ(statistics.files_copied, 5);
    EXPECT_EQ(Errors(), 0) << Describe(recorder.notifications());
    EXPECT_FALSE(incomplete);
}

// A profile's compatibility junction ("Application Data") leads into the
// profile and denies listing to everyone: named by its target, never listed.
TEST_F(SeamCase, ALinkThatDeniesListingIsNamedByItsTargetWithoutBeingListed) {
    ASSERT_TRUE(MakeTree(source, {{"AppData\\Roaming\\x.txt", "x"}}));
    std::string src = UnixPathOf(source);
    ASSERT_TRUE(RunUnix("ln -s '" + src + "AppData/Roaming' '" + src + "Application Data'"));
    fs.fail_find_first = [&](const std::string& folder) -> DWORD {
        EXPECT_NE(folder, source + "Application Data\\") << "listed";
        return folder == source + "Application Data\\" ? ERROR_ACCESS_DENIED : 0;
    };
    Run();
    EXPECT_EQ(recorder.of(WM_COPY_NOT_COPIED),
              std::vector{NotCopied(source + "Application Data\\  (not followed: a link to the "
                                             "folder " + source + "AppData\\Roaming\\, copied "
                                             "at its own place)")});
    EXPECT_EQ(statistics.files_copied, 4);
    EXPECT_FALSE(incomplete);
}

// A share's or a volume's root, and some network file systems, answer
// CreateDirectoryW on an existing folder with access denied.
TEST_F(SeamCase, AnExistingFolderIsTakenAsExistingWhateverTheCreateSays) {
    ASSERT_TRUE(MakeTree(source, {{"sub\\x.txt", "x"}}));
    ASSERT_TRUE(MakeTree(destination, {{"sub\\", ""}}));
    fs.fail_create = [](const std::string&) -> DWORD { return ERROR_ACCESS_DENIED; };
    Run();
    EXPECT_EQ(CompareTrees(source, destination), "");
    EXPECT_EQ(statistics.files_copied, 4);
    EXPECT_EQ(statistics.files_failed, 0);
}

// WideCharToMultiByte as Windows documents it: for UTF-8 no flag but
// WC_ERR_INVALID_CHARS and no default character, or the call fails. Wine
// accepts both, so only this stand-in tells a conversion that would turn
// every name, "." and ".." included, into a failure on Windows.
int WINAPI DocumentedWideToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int length, LPSTR out,
                                     int size, LPCCH fallback, LPBOOL used) {
    if (codePage == CP_UTF8 && ((flags & ~WC_ERR_INVALID_CHARS) != 0 || fallback || used)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WideCharToMultiByte(codePage, flags, wide, length, out, size, fallback, used);
}

TEST(NameConversion, Utf8WritesEveryNameButAnUnpairedSurrogate) {
    auto utf8 = [](const std::wstring& name) {
        return AnsiNameFromWide(name, CP_UTF8, DocumentedWideToMultiByte);
    };
    EXPECT_EQ(utf8(L"."), ".");
    EXPECT_EQ(utf8(L"caf\u00e9 \u0101 \u03a9 \u65e5\u672c \U0001F600.txt"),
              "caf\xC3\xA9 \xC4\x81 \xCE\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.txt");
    const wchar_t lone[] = {L'a', 0xD83D, L'b', 0xDE00, 0};
    EXPECT_EQ(utf8(lone), "a?b?") << "reported as a name the code page cannot hold";
}

TEST(NameConversion, LegacyCodePageWritesWhatItHoldsAndNoLookAlike) {
    auto legacy = [](const std::wstring& name) {
        return AnsiNameFromWide(name, 1252, DocumentedWideToMultiByte);
    };
    EXPECT_EQ(legacy(L"caf\u00e9 \u20ac.txt"), "caf\xE9 \x80.txt");
    EXPECT_EQ(legacy(L"\u0101 \u03a9mega \u65e5.txt"), "? ?mega ?.txt") << "never a or O";
}

// A system that ignores the manifest keeps its legacy code page: a name it
// cannot hold is reported with its explanation, the rest copied.
TEST_F(WalkCase, UnderALegacyCodePageANameItCannotHoldIsReported) {
    ASSERT_TRUE(MakeTree(source, {{"plain.txt", "1"}, {AnsiFromWide(L"\u03a9mega.txt"), "22"}}));
    file_system legacy(1252);
    copy_job job(source, destination, true, recorder.window(), recorder.queue(), &legacy);
    job.run();
    ASSERT_TRUE(recorder.wait_done(1000));
    EXPECT_EQ(recorder.of(WM_COPY_NOT_COPIED),
              std::vector<Notification>{
                  NotCopied(source + "?mega.txt  (not copied: the name holds characters that this "
                                     "system's code page or Windows file names cannot hold)")});
    EXPECT_EQ(job.get_statistics().files_copied, 1);
    EXPECT_EQ(job.get_statistics().files_failed, 1);
    EXPECT_EQ(SizeOfTree(destination).files, 1);
}

} // namespace
