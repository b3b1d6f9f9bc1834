#pragma once
// Helpers of the tests that copy under hostile conditions: folders on a
// chosen volume, the files of a tree, a whole job run through the engine,
// and the dialog's steps and report as a person reads them.

#include "CopyJob.h"
#include "NotificationRecorder.h"

#include <windows.h>

#include <set>
#include <string>
#include <vector>

// A fresh folder below `root` (a Windows path ending in a backslash), removed
// with all its contents when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& root);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// The files below `root`, as paths relative to it, in no particular order.
std::vector<std::string> FilesBelow(const std::string& root);

// A job of the real engine run to its end on the calling thread, as its
// worker would run it; the notifications land in `recorder`.
struct EngineRun {
    copy_statistics statistics;
    bool incomplete = false;
    std::vector<Notification> notifications;
    // The texts of every WM_COPY_NOT_COPIED, in order.
    std::vector<std::string> NotCopied() const;
};
EngineRun RunEngine(const std::string& source, const std::string& destination,
                    bool overwriteSilently, NotificationRecorder& recorder);

// The full paths of the items the report panel lists as not copied: each
// "+ " line joined to the "* Folder " heading above it.
std::set<std::string> ReportedPaths(const std::string& report);
// The report's last line (the summary), without its line break.
std::string SummaryLine(const std::string& report);
