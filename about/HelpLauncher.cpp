#include "HelpLauncher.h"

#include "FormatText.h"

#include <windows.h>

#include <mbstring.h>

namespace {

std::string HelpMessage(int step, const std::string& detail) {
    return FormatText("Error: showing help file %d.  Try the help link on the Veltra start menu "
                      "instead. (%s)",
                      step, detail.c_str());
}

// Index of the last backslash at index 1 or later, or npos. Multibyte-aware:
// a trail byte is never taken for a separator.
size_t LastBackslashFromIndexOne(const std::string& s) {
    size_t found = std::string::npos;
    const auto* text = reinterpret_cast<const unsigned char*>(s.c_str());
    for (size_t i = 0; i < s.size(); i += _mbclen(text + i)) {
        if (text[i] == '\\' && i >= 1)
            found = i;
    }
    return found;
}

} // namespace

HelpAddress BuildHelpAddress(const std::string& commandLine) {
    std::string s = commandLine;
    size_t quote = s.find('"');
    if (quote == std::string::npos)
        return {false, HelpMessage(1, commandLine)};
    s.erase(0, quote + 1);
    quote = s.find('"');
    if (quote == std::string::npos)
        return {false, HelpMessage(2, s)};
    s.erase(quote);
    size_t slash = LastBackslashFromIndexOne(s);
    if (slash == std::string::npos)
        return {false, HelpMessage(3, s)};
    s.erase(slash + 1);
    return {true, "file://" + s + "help.html"};
}

std::string HelpOpenFailedMessage(const std::string& address) {
    return HelpMessage(4, address);
}
