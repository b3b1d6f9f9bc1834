#pragma once
// An independent view of a folder tree through the wide-character file
// functions, which see every name exactly as it is (in a legacy code page the
// ANSI functions the copy uses show characters outside it as '?' or a
// look-alike), and reach past MAX_PATH.

#include <windows.h>

#include <string>
#include <vector>

struct WideEntry {
    std::wstring relative; // below the root, with backslashes, no closing one
    bool folder = false;
    bool link = false;    // a folder link (reparse point)
    bool looping = false; // a folder link that leads back to a folder above it
    ULONGLONG size = 0;
    FILETIME written{};
};

// Every entry below `root` (ending in a backslash), depth first, parents
// before children. Folder links are followed, as the copy follows them,
// except those that lead back into a folder above them.
std::vector<WideEntry> ListWideTree(const std::wstring& root);

std::wstring Widen(const std::string& ansi);
// The ANSI form of `wide` as the copy sees it: each character the code page
// cannot write exactly becomes '?'.
std::string Narrow(const std::wstring& wide);
std::string Utf8(const std::wstring& wide);

// `path` in the form the wide functions take past MAX_PATH ("\\?\" first).
std::wstring LongPath(const std::string& path);

// Whole contents of a file through the wide functions; false if unreadable.
bool ReadWideFile(const std::wstring& path, std::string& content);
// Writes `content` to a new or emptied file through the wide functions.
bool WriteWideFile(const std::wstring& path, const std::string& content);
// Creates `folder` and every folder above it that is missing.
bool MakeWideFolders(const std::wstring& folder);
