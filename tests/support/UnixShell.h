#pragma once
// Running Linux commands (pdftotext, pdfinfo) from a test under Wine, and
// moving between Windows and Unix paths. Wine starts a Unix program without
// a process handle to wait on, so the script leaves a marker file when done.

#include <string>

// The Unix path of a Windows path (through Wine), or "" when there is none.
std::string UnixPathOf(const std::string& windowsPath);
// The Windows path of a Unix path, on Wine's Z: drive.
std::string ZDrivePath(const std::string& unixPath);

// Runs `script` with /bin/sh in `workFolder` (a Windows path ending in a
// backslash); true when it finished within `timeoutMs`. Its standard output
// and error go to `output`.
bool RunUnixScript(const std::string& script, const std::string& workFolder, std::string& output,
                   int timeoutMs = 60000);
