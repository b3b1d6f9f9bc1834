#include "HelpLauncher.h"

#include "AnsiText.h"
#include "FormatText.h"

#include <windows.h>

#include <mbstring.h>

std::string HelpAddressBeside(const std::string& programPath) {
    // Multibyte-aware: a trail byte is never taken for a separator.
    const auto* text = reinterpret_cast<const unsigned char*>(programPath.c_str());
    const unsigned char* slash = _mbsrchr(text, '\\');
    size_t folderLength = slash ? static_cast<size_t>(slash - text) + 1 : 0;
    return "file://" + programPath.substr(0, folderLength) + "help.html";
}

std::string ProgramPath() {
    // The path may be longer than MAX_PATH: the buffer grows until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return "";
        if (n < path.size()) {
            path.resize(n);
            return AnsiFromWide(path);
        }
        path.resize(path.size() * 2);
    }
}

std::string HelpOpenFailedMessage(const std::string& address) {
    return FormatText("Error: showing help file 4.  Try the help link on the Veltra start menu "
                      "instead. (%s)",
                      address.c_str());
}
