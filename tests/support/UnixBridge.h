#pragma once
// The Unix side of the machine, from a test under Wine: paths in both forms,
// and Unix commands run to their end within a time limit.

#include <windows.h>

#include <string>

// The Unix path of a Windows path (through Wine), or "" when there is none.
std::string UnixPathOf(const std::string& windowsPath);
// The Windows path of a Unix path, on Wine's Z: drive.
std::string WindowsPathOf(const std::string& unixPath);

// Runs `command` with /bin/sh on the Unix side and waits for it to end. True
// when it exited with status 0 within `timeoutMs`; a command still running
// then is ended, with everything it started, so nothing outlives the call.
// Its standard output and error go to `output` when one is given.
bool RunUnix(const std::string& command, std::string* output = nullptr, DWORD timeoutMs = 120000);

// The Unix path of a file that lies beside the test helpers (a script).
std::string SupportFile(const std::string& name);
