#pragma once
// The two texts of the About dialog, broken into lines with CR LF as the
// read-only panes show them, in the process's code page unless a test names
// another: the licence's copyright sign and right single quotation marks
// are 0xA9 and 0x92 in Windows-1252 and other bytes in UTF-8.

#include <windows.h>

#include <string>

// The usage note: how to show appreciation for the program, ending with the
// maker's web address (no line break after it).
std::string BuildUsageText(UINT codePage = CP_ACP);
// The software licence agreement, every line followed by CR LF.
std::string BuildLicenseText(UINT codePage = CP_ACP);
