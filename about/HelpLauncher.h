#pragma once
// Finding and opening the help page, help.html in the program's folder.

#include <string>

struct HelpAddress {
    bool found; // true: `text` is the address; false: the message to show
    std::string text;
};

// Works out the "file://" address of help.html from the process's command
// line, whose first quoted item is the program's own path when the shell
// starts it.
HelpAddress BuildHelpAddress(const std::string& commandLine);

// The message shown when the shell refused the address.
std::string HelpOpenFailedMessage(const std::string& address);
