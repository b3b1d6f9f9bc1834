#include "DestinationListing.h"

#include "AnsiText.h"
#include "ReplaceWhole.h"

namespace {

constexpr DWORD kPersonSet = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr long long kTwoSeconds = 2 * 10'000'000; // FILETIME counts 100 ns

long long ticks(const FILETIME& time) {
    return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                  time.dwLowDateTime);
}

} // namespace

bool destination_listing::read(file_system& fs, const std::string& folder) {
    by_name.clear();
    listed = false;
    find_entry entry;
    HANDLE find = fs.find_first_file((long_path(folder) + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) // a drive's empty root lists nothing at all
        return listed = fs.last_error() == ERROR_FILE_NOT_FOUND;
    bool whole = true;
    for (;;) {
        // A temporary file an earlier copy left behind goes (ReplaceWhole.h).
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            is_leftover_temporary(entry.name))
            discard_temporary(fs, long_path(folder) + WideFromAnsi(entry.name));
        else if (entry.name != "." && entry.name != "..")
            by_name.emplace(WideFromAnsi(entry.name), entry);
        if (!fs.find_next_file(find, &entry)) {
            whole = fs.last_error() == ERROR_NO_MORE_FILES;
            break;
        }
    }
    fs.find_close(find);
    if (!whole)
        by_name.clear();
    return listed = whole;
}

const find_entry* destination_listing::find(const std::string& name) const {
    auto at = by_name.find(WideFromAnsi(name));
    return at == by_name.end() ? nullptr : &at->second;
}

bool is_up_to_date(const find_entry& source, const find_entry& there) {
    if (there.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    if (there.nFileSizeHigh != source.nFileSizeHigh || there.nFileSizeLow != source.nFileSizeLow)
        return false;
    long long apart = ticks(there.ftLastWriteTime) - ticks(source.ftLastWriteTime);
    return apart <= kTwoSeconds && apart >= -kTwoSeconds;
}

DWORD attributes_to_take(const find_entry& source, const find_entry& there) {
    return (source.dwFileAttributes ^ there.dwFileAttributes) & kPersonSet;
}
