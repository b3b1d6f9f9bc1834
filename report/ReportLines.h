#pragma once
// The closing lines of the report panel: the summary rule and the summary
// (the folder headings and items come from ReportGrouping).

#include <string>
#include <vector>

struct copy_statistics;

// "- Summary " followed by 50 hyphens.
extern const char kSummaryRule[];

// The summary of a finished copy, one line or two. `incomplete` says that
// the walk left something unseen (a folder it could not read, a link it
// refused, a stop): such a copy is never reported as a success, and when
// files failed too, both are said. Files left alone as already up to date
// add one line of their own at the end, and then the files the user chose
// to keep (they are not failures).
std::vector<std::string> FormatSummaryLines(const copy_statistics& stats, bool incomplete);
