#pragma once
// Path helpers of the engine. Paths are 8-bit strings in the ANSI code page;
// the searches step over double-byte characters so that a trail byte is
// never taken for a backslash.

#include <string>

// Appends a backslash to a folder path that does not end in one (an empty
// path becomes a single backslash).
void add_trailing_backslash(std::string& path);

// The position of the last backslash, or std::string::npos.
std::string::size_type find_last_backslash(const std::string& path);

// True when the two paths are equal ignoring letter case.
bool same_path_ignoring_case(const std::string& a, const std::string& b);
