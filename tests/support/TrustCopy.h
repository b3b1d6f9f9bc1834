#pragma once
// Runs one whole copy through the real engine on its worker thread, the way
// the dialog starts it, with a recording window receiving the notifications.

#include "CopyJob.h"
#include "NotificationRecorder.h"

#include <string>
#include <vector>

struct CopyRun {
    bool finished = false;
    copy_statistics statistics;
    bool incomplete = false;
    std::vector<Notification> notices; // without status and statistics lines
    double seconds = 0;
};

CopyRun CopyOnWorker(const std::string& source, const std::string& destination,
                     NotificationRecorder& recorder, DWORD timeout_ms = 600000);

// Counts of the notices by kind, e.g. "NOT_COPIED 3, ERROR 1".
std::string NoticeCounts(const std::vector<Notification>& notices);
