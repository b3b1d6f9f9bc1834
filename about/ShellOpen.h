#pragma once
// Handing an address (a web address, a file:// address) to the shell, which
// opens it in the program the user chose for it.

#include <string>

// Asks the shell to open `address`, without an error box of the shell's own
// (a failure gets the program's message); false when the shell refused it.
bool ShellOpenAddress(const std::string& address);
