#pragma once
// Why something was not copied, in a person's words, from the Windows error
// the copy returned: the report names the reason beside every file, so that
// the user knows what to do (close a program, ask for rights, free space).

#include <windows.h>

#include <string>

// The reason for `error`, without the surrounding report text: the common
// failures in words of our own, anything else as the system's own message
// for it, on one line, ending with the code (e.g. "in use by another
// program", "Incorrect function. (1)").
std::string copy_failure_reason(DWORD error);

// "  (not copied: <reason>)", the tail of a not-copied file's report line.
std::string not_copied_because(DWORD error);
