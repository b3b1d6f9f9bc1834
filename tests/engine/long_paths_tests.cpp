// The copy core on Windows' wide file functions: trees past 260 characters
// made from the Unix side, protected destination files replaced, what a
// file keeps, and the replace question on a long path.
#include "EngineRun.h"
#include "FileCopier.h"
#include "UnixBridge.h"
#include "WideTree.h"

#include <gtest/gtest.h>

namespace {

std::string CopyOne(NotificationRecorder& recorder, const std::string& from, const std::string& to,
                bool silently) {
    file_copier copier;
    copier.copy_file(from, to, silently, recorder.queue(), recorder.window(), false);
    return Describe(recorder.without_progress());
}

// As a migrated node_modules is: folders of long names many levels deep, a
// name of 250 characters, and a chain of 600 folders (the walk recurses once
// a level). Every file arrives and nothing is reported.
TEST_F(CopyFolders, TreeFarPast260CharactersMadeFromTheUnixSideArrivesWhole) {
    std::string unix = UnixPathOf(temp.path());
    ASSERT_FALSE(unix.empty());
    ASSERT_TRUE(RunUnix("cd '" + unix + "' && mkdir source && cd source && "
                        "long=$(printf '%0120d' 0) && name=$(printf '%0246d' 7).txt && "
                        "mkdir -p \"a/$long/b/$long/c/$long\" && "
                        "printf deep > \"a/$long/b/$long/c/$long/$name\" && "
                        "printf mid > \"a/$long/b/$name\" && printf top > \"$name\" && "
                        "chain=$(printf 'd/%.0s' $(seq 150)) && mkdir -p \"$chain\" && "
                        "printf bottom > \"${chain}end.txt\""));
    EngineRun run = RunEngineOnWorker(source, destination, recorder);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(NoticeCounts(run.notices), "DONE 1, FOLDER " + std::to_string(2 * 157 - 1))
        << "no alert and no file reported";
    EXPECT_EQ(run.statistics.files_copied, 4);
    EXPECT_EQ(run.statistics.files_failed, 0);
    EXPECT_FALSE(run.incomplete);
    std::string diff;
    EXPECT_TRUE(RunUnix("diff -r '" + unix + "source' '" + unix + "dest'", &diff)) << diff;
}

struct ReplaceCase : ::testing::Test {
    TempFolder temp;
    NotificationRecorder recorder;
};

// Windows refuses to write over a read-only, hidden or system file in
// place; the shell's copy replaced them, and so does the wide core. The
// source's attributes and last-write time arrive with the data.
TEST_F(ReplaceCase, ProtectedDestinationFilesAreReplacedKeepingTheSourcesAttributesAndTime) {
    const FILETIME written = {0x5d2a8000, 0x01c09d5a}; // early 2001
    for (DWORD protect : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        SCOPED_TRACE(protect);
        std::string from = temp.path() + "new.txt", to = temp.path() + "old.txt";
        ASSERT_TRUE(WriteFileBytes(from, "new content"));
        ASSERT_TRUE(WriteFileBytes(to, "old and longer content"));
        ASSERT_TRUE(SetFileAttributesA(to.c_str(), protect));
        DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
        HANDLE h = CreateFileA(from.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &written));
        CloseHandle(h);
        ASSERT_TRUE(SetFileAttributesA(from.c_str(), kept));

        EXPECT_EQ(CopyOne(recorder, from, to, true), "");
        std::string content;
        ASSERT_TRUE(ReadFileBytes(to, content));
        EXPECT_EQ(content, "new content");
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(GetFileAttributesExA(to.c_str(), GetFileExInfoStandard, &data));
        EXPECT_EQ(data.dwFileAttributes & 0xff, kept);
        EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &written), 0);
        SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Asked to be asked, on a path past MAX_PATH: the dialog's question, and its
// answer is respected either way.
TEST_F(ReplaceCase, OnALongPathTheQuestionIsAskedAndItsAnswerKept) {
    std::string folder = temp.path() + std::string(150, 'p') + "\\" + std::string(100, 'q') + "\\";
    ASSERT_TRUE(MakeWideFolders(LongPath(folder)));
    std::string from = folder + "new.txt", to = folder + "existing.txt";
    ASSERT_GT(to.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_TRUE(WriteWideFile(LongPath(from), "new"));
    ASSERT_TRUE(WriteWideFile(LongPath(to), "kept"));

    std::string question = to;
    EXPECT_EQ(CopyOne(recorder, from, to, false),
              "QUESTION [" + question + "]\nNOT_COPIED [" + from +
                  "  (not replaced: you chose to keep the existing file)]\n");
    std::string content;
    ASSERT_TRUE(ReadWideFile(LongPath(to), content));
    EXPECT_EQ(content, "kept") << "No keeps the existing file";

    recorder.clear();
    recorder.set_answers({replace_answer::replace});
    EXPECT_EQ(CopyOne(recorder, from, to, false), "QUESTION [" + question + "]\n");
    ASSERT_TRUE(ReadWideFile(LongPath(to), content));
    EXPECT_EQ(content, "new");

    recorder.clear();
    std::string fresh = folder + "fresh.txt";
    EXPECT_EQ(CopyOne(recorder, from, fresh, false), "") << "nothing to replace, nothing asked";
    EXPECT_TRUE(ReadWideFile(LongPath(fresh), content));
}

} // namespace
