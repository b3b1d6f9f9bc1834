#pragma once
// Checks a finished copy against its source, entry by entry, through the
// wide-character view: every file's bytes and last-write time, every folder,
// and, for each source entry without an equal in the destination, the
// notification that told the user about it.

#include "NotificationRecorder.h"

#include <string>
#include <vector>

struct CopyAudit {
    int source_files = 0;
    int source_folders = 0;
    int equal_files = 0;                // present in the copy, same bytes and time
    int bytes_mismatch = 0;             // present but different: never acceptable
    int files_under_folder_notices = 0; // not counted: their folder was not walked
    std::vector<std::string> covered;   // "entry  <-  NOTICE [text]"
    std::vector<std::string> lost;      // no equal and no notification
    std::vector<std::string> extra;     // in the copy but not in the source

    bool Sound() const { return lost.empty() && extra.empty() && bytes_mismatch == 0; }
    // A readable account: counts, then every covered, lost and extra entry
    // (at most `limit` lines of each).
    std::string Describe(size_t limit = 200) const;
};

// `source` and `destination` are the ANSI folder paths handed to the copy,
// each ending in a backslash; `notices` what the copy sent.
CopyAudit AuditCopy(const std::string& source, const std::string& destination,
                    const std::vector<Notification>& notices);
