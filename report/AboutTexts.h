#pragma once
// The two texts of the About dialog, in the ANSI (Windows-1252) code page,
// broken into lines with CR LF as the read-only panes show them.

#include <string>

// The usage note: how to show appreciation for the program, ending with the
// maker's web address (no line break after it).
std::string BuildUsageText();
// The software licence agreement, every line followed by CR LF.
std::string BuildLicenseText();
