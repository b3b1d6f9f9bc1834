#pragma once
// Finding and opening the help page, help.html beside the program file.

#include <string>

// The "file://" address of help.html in the folder of `programPath` (a full
// path, as GetModuleFileName gives it).
std::string HelpAddressBeside(const std::string& programPath);

// The program file's own full path, whatever its command line holds.
std::string ProgramPath();

// The message shown when the shell refused the address.
std::string HelpOpenFailedMessage(const std::string& address);
