#pragma once
// Checking the two folders typed into the main dialog before a copy starts.

#include <string>

// Checks the source and destination texts in the fixed order the user sees
// the messages in, and normalises them: "." and ".." collapsed and a closing
// backslash added. Returns the message to show, or "" when the copy may
// start (the two paths are then normalised in place).
std::string CheckCopyPaths(std::string& source, std::string& destination);

// Longest folder path Veltra accepts, in characters as Windows counts them
// (UTF-16 units, MAX_PATH less its NUL), whatever bytes the code page needs.
constexpr size_t kMaxFolderPathLength = 259;

// A folder as typed or pasted, without the double quotes around it that
// Explorer's "Copy as path" adds.
std::string WithoutQuotes(const std::string& text);
