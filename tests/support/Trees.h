#pragma once
// Building small source trees and comparing a copy with its source.

#include <string>
#include <vector>

struct TreeEntry {
    std::string path;    // relative, with backslashes; ending in "\" for a folder
    std::string content; // file content (ignored for folders)
};

// Creates every folder and file of `entries` under `root` (ending in "\").
bool MakeTree(const std::string& root, const std::vector<TreeEntry>& entries);

// Compares two trees entry by entry (names, folder structure, file bytes).
// Returns "" when `copy` equals `source`, else the first difference.
std::string CompareTrees(const std::string& source, const std::string& copy);

// Number of files (not folders) below `root`.
int CountFiles(const std::string& root);
