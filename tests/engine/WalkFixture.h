#pragma once
// A source and destination under a fresh temporary folder, a receiving window,
// and a job run to its end on the test's thread.

#include "EngineRun.h"
#include "FolderCopier.h"
#include "RecordingFileSystem.h"
#include "TempFolder.h"
#include "Trees.h"

#include <gtest/gtest.h>

struct WalkCase : CopyFolders {
    RecordingFileSystem fs;
    copy_statistics statistics;
    bool incomplete = false;
    bool skipUpToDate = false; // "Skip files already up to date"
    unsigned copyThreads = copy_job::kCopyThreads;

    void SetUp() override { CreateDirectoryA(source.c_str(), nullptr); }

    // Runs a whole job synchronously, as its worker thread would.
    void Run(bool silently = true) {
        EngineRun run = RunEngine(source, destination, recorder, silently, &fs, skipUpToDate,
                                  copyThreads);
        ASSERT_TRUE(run.finished);
        statistics = run.statistics;
        incomplete = run.incomplete;
    }
    static std::string CurrentFolder() {
        char buffer[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, buffer);
        return buffer;
    }
    static Notification Folder(const std::string& path) { return {WM_COPY_FOLDER, path}; }
    static Notification Status(const std::string& file) {
        return {WM_COPY_STATUS, "Status: copying file " + file};
    }
    static Notification Error(const std::string& text) { return {WM_COPY_ERROR, text}; }
    static Notification NotCopied(const std::string& text) { return {WM_COPY_NOT_COPIED, text}; }
    static Notification Done() { return {WM_COPY_DONE, ""}; }
};
