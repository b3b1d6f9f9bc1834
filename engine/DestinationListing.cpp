#include "DestinationListing.h"

#include "AnsiText.h"
#include "ReplaceWhole.h"

void destination_listing::keep(file_system& fs, const std::wstring& folder, find_entry& entry) {
    if (entry.name == "." || entry.name == "..")
        return;
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && is_leftover_temporary(entry.name)) {
        discard_temporary(fs, folder + WideFromAnsi(entry.name));
        return;
    }
    std::wstring name = WideFromAnsi(entry.name);
    entries.emplace(std::move(name), std::move(entry));
}

bool destination_listing::list(file_system& fs, const std::wstring& folder) {
    find_entry entry;
    HANDLE find = fs.find_first_file((folder + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return fs.last_error() == ERROR_FILE_NOT_FOUND; // nothing in it at all
    do
        keep(fs, folder, entry);
    while (fs.find_next_file(find, &entry));
    bool complete = fs.last_error() == ERROR_NO_MORE_FILES;
    fs.find_close(find);
    if (!complete)
        entries.clear();
    return complete;
}

const find_entry* destination_listing::find(const std::string& name) const {
    auto at = entries.find(WideFromAnsi(name));
    return at == entries.end() ? nullptr : &at->second;
}
