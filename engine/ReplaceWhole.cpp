#include "ReplaceWhole.h"

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iterator>

namespace {

// Attributes that make Windows refuse to overwrite a file in place.
constexpr DWORD kProtecting =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The pauses between tries of a swap that another program holds up for a
// moment: about two seconds in all, longer each time.
constexpr DWORD kPauses[] = {50, 100, 200, 400, 500, 750};

bool is_taken(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// What a file opened for a moment by another program makes a swap fail
// with: a sharing violation or access denied, or ReplaceFileW's words for
// the same (the old file or the new one could not be renamed).
bool is_brief_lock(DWORD error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_ACCESS_DENIED:
    case ERROR_LOCK_VIOLATION:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        return true;
    }
    return false;
}

// ReplaceFileW's answers on a volume that does not offer it (some network
// file systems), and when the old file has gone meanwhile: a plain move
// does the swap there.
bool needs_plain_move(DWORD error) {
    return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED ||
           error == ERROR_INVALID_PARAMETER || error == ERROR_CALL_NOT_IMPLEMENTED ||
           error == ERROR_FILE_NOT_FOUND;
}

// One try at putting the whole new file in the old one's place. The old
// file is set aside under a temporary name by ReplaceFileW, so that it can
// be put back whatever step fails, and deleted once the new one is in.
bool swap(file_system& fs, const std::wstring& temporary, const std::wstring& to, DWORD* error) {
    std::wstring aside = temporary_beside(to);
    if (fs.replace_file(to.c_str(), temporary.c_str(), aside.c_str())) {
        discard_temporary(fs, aside);
        return true;
    }
    *error = fs.last_error();
    if (*error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old file is aside and the new one still under its temporary
        // name: the old one goes back, or else the new one goes in.
        if (fs.move_replacing(aside.c_str(), to.c_str()))
            return false;
        if (fs.move_replacing(temporary.c_str(), to.c_str())) {
            discard_temporary(fs, aside);
            return true;
        }
        return false; // both stay, the old one under the temporary name
    }
    if (!needs_plain_move(*error))
        return false;
    if (fs.move_replacing(temporary.c_str(), to.c_str()))
        return true;
    *error = fs.last_error();
    return false;
}

bool swap_waiting_out_locks(file_system& fs, const std::wstring& temporary, const std::wstring& to,
                            DWORD* error) {
    for (DWORD pause : kPauses) {
        if (swap(fs, temporary, to, error))
            return true;
        if (!is_brief_lock(*error))
            return false;
        ::Sleep(pause);
    }
    return swap(fs, temporary, to, error);
}

} // namespace

std::wstring temporary_beside(const std::wstring& beside) {
    static std::atomic<unsigned> counter{0};
    wchar_t name[40];
    swprintf(name, std::size(name), L"~veltra-%lx-%x.tmp", ::GetCurrentProcessId(),
             counter.fetch_add(1));
    return beside.substr(0, beside.rfind(L'\\') + 1) + name;
}

bool is_leftover_temporary(const std::string& name) {
    const char prefix[] = "~veltra-";
    if (name.size() < sizeof prefix || _strnicmp(name.c_str(), prefix, sizeof prefix - 1) != 0)
        return false;
    const char* at = name.c_str() + sizeof prefix - 1;
    char* end = nullptr;
    unsigned long process = std::strtoul(at, &end, 16);
    if (end == at || *end != '-' || !isxdigit(static_cast<unsigned char>(end[1])))
        return false;
    for (at = end + 1; isxdigit(static_cast<unsigned char>(*at)); ++at) {
    }
    return _stricmp(at, ".tmp") == 0 && process != ::GetCurrentProcessId();
}

void discard_temporary(file_system& fs, const std::wstring& path) {
    // DeleteFileW refuses a read-only file, and a copy of a read-only
    // source is one.
    fs.set_file_attributes(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs.delete_file(path.c_str());
}

bool replace_whole(file_system& fs, const std::wstring& from, const std::wstring& to,
                   DWORD existing_attributes, DWORD* error) {
    std::wstring temporary;
    for (unsigned attempt = 0;; ++attempt) {
        temporary = temporary_beside(to);
        if (fs.copy_file(from.c_str(), temporary.c_str(), true))
            break;
        *error = fs.last_error();
        // A name taken by chance is tried again; nothing was written to it.
        if (is_taken(*error) && attempt < 16)
            continue;
        if (!is_taken(*error))
            discard_temporary(fs, temporary); // whatever part of it was written
        return false;
    }
    // The copy has the source's attributes; ReplaceFileW gives it the old
    // file's, so they are set again once it is in place.
    DWORD copied_attributes = fs.file_attributes(temporary.c_str());
    // Windows refuses to rename over a read-only file.
    bool unprotected = false;
    if (existing_attributes != INVALID_FILE_ATTRIBUTES && (existing_attributes & kProtecting))
        unprotected = fs.set_file_attributes(to.c_str(), existing_attributes & ~kProtecting) != 0;
    if (swap_waiting_out_locks(fs, temporary, to, error)) {
        if (copied_attributes != INVALID_FILE_ATTRIBUTES)
            fs.set_file_attributes(to.c_str(), copied_attributes);
        return true;
    }
    if ((*error == ERROR_ACCESS_DENIED || *error == ERROR_UNABLE_TO_REMOVE_REPLACED) &&
        fs.held_by_another_program(to.c_str()))
        *error = ERROR_SHARING_VIOLATION;
    if (unprotected)
        fs.set_file_attributes(to.c_str(), existing_attributes);
    discard_temporary(fs, temporary);
    return false;
}
