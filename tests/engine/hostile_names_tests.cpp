// Hostile names through the real engine: characters the shell and the
// command line treat specially, characters of every script, names Windows
// cannot write at all, names at the length limit and a tree deeper than 260
// characters. Each entry is copied or reported; none is lost and nothing
// crashes.
#include "CopyAudit.h"
#include "EngineRun.h"
#include "TempFolder.h"
#include "Trees.h"
#include "UnixBridge.h"
#include "WideTree.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct NameCase : CopyFolders {
    std::wstring wideSource = Widen(source);

    void SetUp() override { ASSERT_TRUE(CreateDirectoryA(source.c_str(), nullptr)); }

    // Copies and audits; returns the run for further checks.
    EngineRun CopyAndAudit() {
        EngineRun run = RunEngineOnWorker(source, destination, recorder);
        EXPECT_TRUE(run.finished);
        CopyAudit audit = AuditCopy(source, destination, run.notices);
        std::printf("%d copied, %d failed, %.2f s; notices: %s\n%s", run.statistics.files_copied,
                    run.statistics.files_failed, run.seconds, NoticeCounts(run.notices).c_str(),
                    audit.Describe().c_str());
        EXPECT_TRUE(audit.Sound()) << audit.Describe();
        EXPECT_EQ(run.statistics.files_copied, audit.equal_files)
            << "a file counted as copied is missing or is another file's copy";
        EXPECT_EQ(run.statistics.files_copied + run.statistics.files_failed,
                  audit.source_files - audit.files_under_folder_notices)
            << Describe(run.notices);
        return run;
    }

    // The run's alerts and not-copied lines, in order.
    static std::vector<Notification> AlertsAndNotCopied(const EngineRun& run) {
        std::vector<Notification> kept;
        for (const Notification& n : run.notices)
            if (n.message == WM_COPY_ERROR || n.message == WM_COPY_NOT_COPIED)
                kept.push_back(n);
        return kept;
    }
};

// Windows can hold every one of these names, and in UTF-8 so can the
// program: each is copied, none only reported.
TEST_F(NameCase, SpecialCharactersAndNamesBeyondAnyLegacyCodePageAreCopied) {
    const std::vector<std::wstring> names = {L" leading blank.txt",
                                             L"a & b.txt",
                                             L"100%.txt",
                                             L"%PATH%.txt",
                                             L"wow!.txt",
                                             L"semi;colon.txt",
                                             L"com,ma.txt",
                                             L"it's.txt",
                                             L"caf\u00e9 \u00df \u20ac.txt", // in Windows-1252
                                             L"\u65e5\u672c\u8a9e.txt",
                                             L"\U0001F600 smile.txt", // beyond the BMP
                                             L"a.txt",
                                             L"\u0101.txt", // "a" to a best-fit conversion
                                             L"\u03a9mega.txt",
                                             L"Omega.txt"}; // "Omega" to a best-fit conversion
    for (const std::wstring& name : names)
        ASSERT_TRUE(WriteWideFile(wideSource + name, "content of " + Utf8(name))) << Utf8(name);
    ASSERT_TRUE(CreateDirectoryW((wideSource + L"\u8cc7\u6599").c_str(), nullptr));
    ASSERT_TRUE(WriteWideFile(wideSource + L"\u8cc7\u6599\\inside.txt", "in a CJK folder"));
    ASSERT_TRUE(CreateDirectoryW((wideSource + L"caf\u00e9 & co").c_str(), nullptr));
    ASSERT_TRUE(WriteWideFile(wideSource + L"caf\u00e9 & co\\inside.txt", "in a cp1252 folder"));
    EngineRun run = CopyAndAudit();
    EXPECT_EQ(run.statistics.files_failed, 0) << Describe(run.notices);
    EXPECT_EQ(run.statistics.files_copied, static_cast<int>(names.size()) + 2);
    std::string copied;
    EXPECT_TRUE(ReadFileBytes(destination + " leading blank.txt", copied));
    EXPECT_TRUE(ReadFileBytes(destination + Narrow(L"\U0001F600 smile.txt"), copied));
    EXPECT_TRUE(ReadFileBytes(destination + Narrow(L"\u8cc7\u6599\\inside.txt"), copied));
    EXPECT_EQ(copied, "in a CJK folder");
}

TEST_F(NameCase, NamesAtTheLengthLimitAndATreeDeeperThan260Characters) {
    // The longest name the file system takes, in the top folder.
    std::wstring longest(255 - 4, L'n');
    ASSERT_TRUE(WriteWideFile(wideSource + longest + L".txt", "longest name"));
    // Folders of 60 characters, five deep: the deepest file's path passes
    // 260 characters on the way.
    std::wstring deep = wideSource;
    for (int level = 0; level < 5; ++level) {
        deep += std::wstring(59, static_cast<wchar_t>(L'a' + level)) + L"\\";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr)) << level;
        ASSERT_TRUE(
            WriteWideFile(L"\\\\?\\" + deep + L"file.txt", "level " + std::to_string(level)));
    }
    CopyAndAudit();
}

// Names only a case-sensitive file system with Unix rules can hold, made
// from the Unix side: names ending in a blank or a dot beside the name
// without, wildcard characters, a pipe, a socket and links.
TEST_F(NameCase, UnixOnlyNamesAreCopiedOrReported) {
    std::string unix = UnixPathOf(source);
    ASSERT_FALSE(unix.empty());
    ASSERT_TRUE(RunUnix(
        "cd '" + unix +
        "' && printf one > 'trail' && printf two > 'trail ' && printf three > "
        "'dot.' && printf four > 'dot' && printf five > 'star*' && printf six > 'q?m' && printf "
        "seven > 'plain' && mkfifo fifo && ln -s plain link-to-file && ln -s . link-to-self && "
        "mkdir ../outside && printf nine > ../outside/o.txt && ln -s ../outside link-out && mkdir "
        "'dir.' && printf eight > 'dir./in' && python3 -c 'import socket as s; "
        "s.socket(s.AF_UNIX).bind(chr(115) + chr(111) + chr(99) + chr(107))'"));
    CopyAndAudit();
    std::string copied;
    EXPECT_TRUE(ReadFileBytes(destination + "link-to-file", copied));
    EXPECT_EQ(copied, "seven");
    EXPECT_TRUE(ReadFileBytes(destination + "link-out\\o.txt", copied));
}

// A folder link in the source that leads to the destination: the walk must
// not copy the destination into itself (its path differs from the typed
// destination, so only the folder's identity tells).
TEST_F(NameCase, LinkToTheDestinationIsSkippedNotCopiedIntoItself) {
    ASSERT_TRUE(MakeTree(destination, {{"old.txt", "was there"}}));
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "a"}}));
    ASSERT_TRUE(RunUnix("ln -s '" + UnixPathOf(destination) + "' '" + UnixPathOf(source) +
                        "to-destination'"));
    EngineRun run = RunEngineOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(
        AlertsAndNotCopied(run),
        (std::vector<Notification>{{WM_COPY_ERROR, "skipped destination folder as a copy source"}}))
        << Describe(run.notices);
    EXPECT_FALSE(FolderExists(destination + "to-destination"));
    EXPECT_EQ(run.statistics.files_copied, 1);
    EXPECT_EQ(SizeOfTree(destination).files, 2);
}

// The source typed through a link to the folder that holds the destination:
// the destination is then a plain subfolder under another path, told apart
// by its name and identity. A sibling of another name is walked as usual.
TEST_F(NameCase, DestinationUnderASourceTypedThroughALinkIsNotCopiedIntoItself) {
    std::string real = temp.path() + "real\\";
    ASSERT_TRUE(MakeTree(
        real, {{"a.txt", "a"}, {"Backup\\old.txt", "was there"}, {"Backups\\b.txt", "b"}}));
    ASSERT_TRUE(RunUnix("ln -s '" + UnixPathOf(real) + "' '" + UnixPathOf(temp.path()) + "via'"));
    EngineRun run = RunEngineOnWorker(temp.path() + "via\\", real + "Backup\\", recorder);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(
        AlertsAndNotCopied(run),
        (std::vector<Notification>{{WM_COPY_ERROR, "skipped destination folder as a copy source"}}))
        << Describe(run.notices);
    EXPECT_EQ(run.statistics.files_copied, 2);
    EXPECT_FALSE(FolderExists(real + "Backup\\Backup"));
    EXPECT_TRUE(FileExists(real + "Backup\\Backups\\b.txt"));
}

} // namespace
