#pragma once
// Folder trees: building small ones, listing them as the copy sees them,
// counting them and comparing a copy with its source.

#include <windows.h>

#include <string>
#include <vector>

struct TreeEntry {
    std::string path;    // relative, with backslashes; ending in "\" for a folder
    std::string content; // file content (ignored for folders)
};

// Creates every folder and file of `entries` under `root` (ending in "\").
bool MakeTree(const std::string& root, const std::vector<TreeEntry>& entries);

// The entries of `folder` (ending in "\") that match `pattern`, in the order
// the system lists them (the order the copy meets them), without "." and "..".
std::vector<WIN32_FIND_DATAA> ListFolder(const std::string& folder,
                                         const std::string& pattern = "*");
// Their names only.
std::vector<std::string> NamesIn(const std::string& folder);
// The files below `root`, as paths relative to it.
std::vector<std::string> FilesBelow(const std::string& root);

struct TreeSize {
    int files = 0;
    double bytes = 0;
};
// The files below `root` (not its folders) and their sizes added up.
TreeSize SizeOfTree(const std::string& root);

// Compares two trees entry by entry (names, folder structure, file bytes).
// Returns "" when `copy` equals `source`, else the first difference.
std::string CompareTrees(const std::string& source, const std::string& copy);
