#pragma once
// The closing lines of the report panel: the summary rule and the summary
// (the folder headings and items come from ReportGrouping).

#include <string>

struct copy_statistics;

// "- Summary " followed by 50 hyphens.
extern const char kSummaryRule[];

// The summary line for a finished copy. `incomplete` says that the walk
// gave up somewhere (a folder it could not read, a stop) even if no file
// failed: such a copy is never reported as a success.
std::string FormatSummaryLine(const copy_statistics& stats, bool incomplete);
