#pragma once
// Whole copies through the real engine, the notifications received by a
// recording window, and the report the dialog makes of them.

#include "CopyJob.h"
#include "NotificationRecorder.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A source and a destination folder under a fresh temporary folder (neither
// made yet), and a window that receives the notifications of copies.
struct CopyFolders : ::testing::Test {
    TempFolder temp;
    std::string source = temp.path() + "source\\";
    std::string destination = temp.path() + "dest\\";
    NotificationRecorder recorder;
};

struct EngineRun {
    bool finished = false;
    copy_statistics statistics;
    bool incomplete = false;
    std::vector<Notification> notices; // without the status and statistics lines
    double seconds = 0;

    // The texts of every WM_COPY_NOT_COPIED, in order.
    std::vector<std::string> NotCopied() const;
};

// A job run to its end on the calling thread, as its worker runs it; `fs`
// is the operating-system seam (null: the real one); `skipUpToDate` checks
// "Skip files already up to date"; `copyThreads` copy files at once (0:
// one at a time, on the calling thread).
EngineRun RunEngine(const std::string& source, const std::string& destination,
                    NotificationRecorder& recorder, bool overwriteSilently = true,
                    file_system* fs = nullptr, bool skipUpToDate = false,
                    unsigned copyThreads = copy_job::kCopyThreads);
// A job on a worker thread of its own, started the way the dialog starts it.
// A copy still running after `timeoutMs` is stopped and waited for.
EngineRun RunEngineOnWorker(const std::string& source, const std::string& destination,
                            NotificationRecorder& recorder, DWORD timeoutMs = 600000);

// Counts of the notices by kind, e.g. "NOT_COPIED 3, ERROR 1".
std::string NoticeCounts(const std::vector<Notification>& notices);

// The folder headings and items the report panel gets from these notices
// (the dialog's own grouping rule), each line ended by CR LF.
std::string ReportOfNotices(const std::vector<Notification>& notices);
// The report's last line (the summary), without its line break.
std::string SummaryLine(const std::string& report);
