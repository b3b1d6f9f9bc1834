#pragma once
// What a destination folder that was there before the copy holds, listed
// once (one FindFirstFileExW for the folder instead of a look per file):
// its entries by name, compared as Windows compares names. Listing it also
// removes the temporary files an earlier copy left there (ReplaceWhole.h).
// Read only once made, so copies on several threads may share it.

#include "FileSystem.h"
#include "PathOps.h"

#include <map>
#include <string>

class destination_listing {
public:
    // Lists `folder` (a long path ending in a backslash). False when it
    // could not be listed; nothing is known of it then.
    bool list(file_system& fs, const std::wstring& folder);
    // The entry of `name` (its long name, never a short-name alias), or null.
    const find_entry* find(const std::string& name) const;

private:
    void keep(file_system& fs, const std::wstring& folder, find_entry& entry);

    std::map<std::wstring, find_entry, names_ordered_ignoring_case> entries;
};
