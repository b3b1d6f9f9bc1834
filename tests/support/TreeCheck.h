#pragma once
// Helpers of the engine tests: counting a tree, and running a Unix command
// from the Windows side.

#include <windows.h>

#include <string>

// Counts the files below `folder` (recursively) and adds up their sizes.
void CountTree(const std::string& folder, int* files, double* bytes);

// The Unix path of a Windows path, or "" when Wine cannot tell.
std::string UnixPath(const std::string& windowsPath);

// Runs `command` with /bin/sh on the Unix side and waits until it has
// finished. True when it exited with status 0.
bool RunUnixCommand(const std::string& command, DWORD timeout_ms = 60000);
