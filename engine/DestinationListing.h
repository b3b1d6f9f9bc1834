#pragma once
// What a destination folder that was there before this copy holds, read in
// one listing when the walk enters it and then looked up by name in memory:
// on a network share each look-up of a single file is a round trip, while a
// listing is one for a whole folder (a few for a large one). Reading it also
// removes the temporary files an earlier copy left there. Read only once
// made, so copies on several threads may share it.

#include "FileSystem.h"
#include "PathOps.h"

#include <map>
#include <string>

class destination_listing {
public:
    // Lists `folder` (fully qualified, ending in a backslash). False, and
    // nothing known, when it could not be listed whole: each name is then
    // looked at on its own, as without a listing.
    bool read(file_system& fs, const std::string& folder);
    bool is_read() const { return listed; }
    // The entry of that name, found as the file system finds names (letter
    // case aside); null when the folder holds none or was not read.
    const find_entry* find(const std::string& name) const;
    // The folder was read and holds nothing of that name.
    bool known_absent(const std::string& name) const { return listed && !find(name); }
    // Every entry (without "." and ".."), by name.
    const std::map<std::wstring, find_entry, names_ordered_ignoring_case>& entries() const {
        return by_name;
    }

private:
    std::map<std::wstring, find_entry, names_ordered_ignoring_case> by_name;
    bool listed = false;
};

// True when `there`, a destination entry, already holds the file `source`:
// a file (not a folder) of the same size, last written within two seconds
// of it. FAT, exFAT and many network stores keep times in steps of two
// seconds; an exact comparison would copy everything again there.
bool is_up_to_date(const find_entry& source, const find_entry& there);

// The attributes a person sets (read-only, hidden, system) that `there`
// lacks or has beyond `source`'s; 0 when they agree.
DWORD attributes_to_take(const find_entry& source, const find_entry& there);
