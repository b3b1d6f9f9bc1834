#pragma once
// The lines the report panel receives: folder headings, items and the
// closing summary.

#include <string>

struct copy_statistics;

// "- Summary " followed by 50 hyphens.
extern const char kSummaryRule[];

// The summary line for a finished copy. `incomplete` says that the walk
// gave up somewhere (a folder it could not read, a stop) even if no file
// failed: such a copy is never reported as a success.
std::string FormatSummaryLine(const copy_statistics& stats, bool incomplete);

// The item text of a not-copied path: the path without as many leading
// characters as the current folder has ("" when it is not longer).
std::string ReportItemText(const std::string& notCopied, const std::string& currentFolder);
