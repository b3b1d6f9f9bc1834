#include "CopyPaths.h"

#include "AnsiText.h"
#include "FileSystem.h"
#include "PathOps.h"

#include <windows.h>

#include <mbstring.h>

namespace {

bool HasBackslash(const std::string& path) {
    return _mbschr(reinterpret_cast<const unsigned char*>(path.c_str()), '\\') != nullptr;
}

// The last four characters are exactly ".lnk" (a shorter text is compared
// whole, so it never matches).
bool IsShortcut(const std::string& path) {
    std::string tail = path.size() > 4 ? path.substr(path.size() - 4) : path;
    return _mbscmp(reinterpret_cast<const unsigned char*>(tail.c_str()),
                   reinterpret_cast<const unsigned char*>(".lnk")) == 0;
}

// A drive letter, a colon and a backslash, or two backslashes (a network
// path). Anything else would be resolved against the process's current
// folder, which the walk changes while it copies.
bool IsFullyQualified(const std::string& path) {
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\')
        return true;
    unsigned char drive = static_cast<unsigned char>(path.empty() ? 0 : path[0]);
    bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    return letter && path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

// Longer than Windows allows, counted as Windows counts (UTF-16 units, not
// the bytes of the code page: a character may take three in UTF-8).
bool TooLong(const std::string& path) {
    return WideLength(path) > kMaxFolderPathLength;
}

// Collapses "." and ".." so that each folder has one spelling. False when
// the result would be too long.
bool Collapse(std::string& path) {
    std::string full(MAX_PATH, '\0');
    for (;;) {
        DWORD n =
            GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0)
            return false;
        if (n < full.size()) {
            full.resize(n);
            break;
        }
        full.assign(n, '\0'); // the size needed, NUL included
    }
    if (TooLong(full))
        return false;
    path = full;
    return true;
}

} // namespace

std::string WithoutQuotes(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

std::string CheckCopyPaths(std::string& source, std::string& destination) {
    source = WithoutQuotes(source);
    destination = WithoutQuotes(destination);
    if (source.empty())
        return "Source folder not specified";
    if (destination.empty())
        return "Destination folder not specified";
    // A longer path is refused rather than cut: a cut path can name another
    // folder, and the copy would write into it.
    if (TooLong(source))
        return "Source folder path is too long (at most 259 characters)";
    if (TooLong(destination))
        return "Destination folder path is too long (at most 259 characters)";
    if (!HasBackslash(source))
        return "Source folder must be a fully qualified path e.g. C:\\source\\folder";
    if (!HasBackslash(destination))
        return "Destination folder must be a fully qualified path e.g. D:\\destination\\folder";
    if (IsShortcut(source))
        return "Source folder can't be a shortcut";
    if (IsShortcut(destination))
        return "Destination folder can't be a shortcut";
    if (!IsFullyQualified(source))
        return "Source folder must be a fully qualified path e.g. C:\\source\\folder";
    if (!IsFullyQualified(destination))
        return "Destination folder must be a fully qualified path e.g. D:\\destination\\folder";

    // Shown and reported as the user knows them: the engine adds the long
    // form itself where it calls Windows.
    std::string fullSource = plain_path(source), fullDestination = plain_path(destination);
    if (!Collapse(fullSource))
        return "Source folder path is too long (at most 259 characters)";
    if (!Collapse(fullDestination))
        return "Destination folder path is too long (at most 259 characters)";
    add_trailing_backslash(fullSource);
    add_trailing_backslash(fullDestination);
    if (TooLong(fullSource))
        return "Source folder path is too long (at most 259 characters)";
    if (TooLong(fullDestination))
        return "Destination folder path is too long (at most 259 characters)";
    if (same_path_ignoring_case(fullSource, fullDestination))
        return "Source and destination folders must be different";
    // One folder under two spellings: a short (8.3) name, a folder link, a
    // \\?\ form. The copy would offer every file onto itself.
    if (same_folder(real_file_system(), fullSource, fullDestination))
        return "Source and destination folders must be different";

    source = fullSource;
    destination = fullDestination;
    return "";
}
