#pragma once
// Path helpers of the engine. Paths are 8-bit strings in the ANSI code page;
// the searches step over double-byte characters so that a trail byte is
// never taken for a backslash (UTF-8 needs no such care: every byte of a
// character beyond ASCII is 0x80 or above).

#include <string>

// Appends a backslash to a folder path that does not end in one (an empty
// path becomes a single backslash).
void add_trailing_backslash(std::string& path);

// The position of the last backslash, or std::string::npos.
std::string::size_type find_last_backslash(const std::string& path);

// True when the two paths are equal ignoring letter case, as Windows file
// names are: every letter Windows folds, on the UTF-16 form (Ä.txt and
// ä.txt are one name, and so are Ω and ω; ß and SS are two).
bool same_path_ignoring_case(const std::string& a, const std::string& b);

// Orders UTF-16 names by that comparison, for a set of names in which two
// that differ only in letter case are one.
struct names_ordered_ignoring_case {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
};

// The form of a fully qualified path (a drive path or a network path, as
// the user writes it) that Windows' wide file functions take whole, up to
// 32,767 characters: \\?\C:\... or \\?\UNC\server\share\... A path already
// in that form, or a device path (\\.\), is kept as it is.
std::wstring long_path(const std::string& path);

// A path as the user knows it: the \\?\ or \\?\UNC\ form taken off.
std::string plain_path(const std::string& path);
