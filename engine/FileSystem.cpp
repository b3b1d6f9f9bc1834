#include "FileSystem.h"

#include "AnsiText.h"
#include "PathOps.h"

#include <cstring>

namespace {

// The listed entry in the code page. A character a legacy code page lacks
// becomes '?' rather than a look-alike (a-macron as "a", omega as "O") that
// would name another file, so the walk can tell.
void to_ansi_entry(const WIN32_FIND_DATAW& wide, find_entry* entry, UINT code_page) {
    entry->dwFileAttributes = wide.dwFileAttributes;
    entry->nFileSizeHigh = wide.nFileSizeHigh;
    entry->nFileSizeLow = wide.nFileSizeLow;
    entry->ftLastWriteTime = wide.ftLastWriteTime;
    entry->reparse_tag =
        (wide.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? wide.dwReserved0 : 0;
    entry->name = AnsiNameFromWide(wide.cFileName, code_page);
}

} // namespace

HANDLE file_system::find_first_file(const wchar_t* pattern, find_entry* entry) {
    WIN32_FIND_DATAW wide;
    // Basic information leaves out the short 8.3 name, which the walk never
    // uses; a large fetch reads a folder's entries in fewer calls.
    HANDLE find = ::FindFirstFileExW(pattern, FindExInfoBasic, &wide, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE)
        to_ansi_entry(wide, entry, code_page);
    return find;
}

BOOL file_system::find_next_file(HANDLE find, find_entry* entry) {
    WIN32_FIND_DATAW wide;
    if (!::FindNextFileW(find, &wide))
        return FALSE;
    to_ansi_entry(wide, entry, code_page);
    return TRUE;
}

BOOL file_system::find_close(HANDLE find) {
    return ::FindClose(find);
}

BOOL file_system::create_directory(const wchar_t* path) {
    return ::CreateDirectoryW(path, nullptr);
}

BOOL file_system::copy_file(const wchar_t* from, const wchar_t* to, bool fail_if_exists) {
    return ::CopyFileExW(from, to, nullptr, nullptr, nullptr,
                         fail_if_exists ? COPY_FILE_FAIL_IF_EXISTS : 0);
}

BOOL file_system::move_replacing(const wchar_t* from, const wchar_t* to) {
    return ::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING);
}

BOOL file_system::replace_file(const wchar_t* replaced, const wchar_t* replacement,
                               const wchar_t* backup) {
    return ::ReplaceFileW(replaced, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                          nullptr);
}

bool file_system::held_by_another_program(const wchar_t* path) {
    HANDLE h = ::CreateFileW(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        ::CloseHandle(h);
        return false;
    }
    return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

DWORD file_system::file_attributes(const wchar_t* path) {
    return ::GetFileAttributesW(path);
}

BOOL file_system::file_details(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data) {
    return ::GetFileAttributesExW(path, GetFileExInfoStandard, data);
}

BOOL file_system::set_file_attributes(const wchar_t* path, DWORD attributes) {
    return ::SetFileAttributesW(path, attributes);
}

BOOL file_system::set_folder_details(const wchar_t* path, const FILETIME& written,
                                     DWORD attributes) {
    HANDLE h = ::CreateFileW(path, FILE_WRITE_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    FILE_BASIC_INFO info = {}; // the times left at zero are kept as they are
    info.LastWriteTime.LowPart = written.dwLowDateTime;
    info.LastWriteTime.HighPart = static_cast<LONG>(written.dwHighDateTime);
    info.FileAttributes = attributes;
    BOOL ok = ::SetFileInformationByHandle(h, FileBasicInfo, &info, sizeof info);
    DWORD error = ::GetLastError();
    ::CloseHandle(h);
    ::SetLastError(error);
    return ok;
}

BOOL file_system::delete_file(const wchar_t* path) {
    return ::DeleteFileW(path);
}

DWORD file_system::last_error() {
    return ::GetLastError();
}

namespace {
// Opening a folder needs backup semantics; without FILE_FLAG_OPEN_REPARSE_POINT
// a link is followed to the folder it names. Reading attributes is all it
// asks, which a folder that denies listing still allows.
HANDLE open_folder(const wchar_t* path) {
    return ::CreateFileW(path, FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}
} // namespace

bool identity_from_file_id(const FILE_ID_INFO& info, folder_identity* identity) {
    ULONGLONG halves[2];
    static_assert(sizeof halves == sizeof info.FileId.Identifier);
    memcpy(halves, info.FileId.Identifier, sizeof halves);
    if (halves[0] == 0 && halves[1] == 0)
        return false;
    identity->volume = info.VolumeSerialNumber;
    identity->id_low = halves[0];
    identity->id_high = halves[1];
    return true;
}

bool file_system::identify_folder(const wchar_t* path, folder_identity* identity) {
    HANDLE h = open_folder(path);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    FILE_ID_INFO id;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = true;
    if (!::GetFileInformationByHandleEx(h, FileIdInfo, &id, sizeof id) ||
        !identity_from_file_id(id, identity)) {
        ok = ::GetFileInformationByHandle(h, &info) != 0;
        if (ok) {
            identity->volume = info.dwVolumeSerialNumber;
            identity->id_high = 0;
            identity->id_low = (ULONGLONG(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        }
    }
    ::CloseHandle(h);
    return ok;
}

bool file_system::final_path(const wchar_t* path, std::wstring* final) {
    HANDLE h = open_folder(path);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(h, buffer.data(), DWORD(buffer.size()), 0);
    if (length >= buffer.size()) { // too small: the length asked for includes the NUL
        buffer.resize(length);
        length = ::GetFinalPathNameByHandleW(h, buffer.data(), DWORD(buffer.size()), 0);
    }
    ::CloseHandle(h);
    if (length == 0 || length >= buffer.size())
        return false;
    buffer.resize(length);
    *final = std::move(buffer);
    return true;
}

file_system& real_file_system() {
    static file_system instance;
    return instance;
}

bool same_folder(file_system& fs, const std::string& a, const std::string& b) {
    folder_identity first, second;
    return fs.identify_known_folder(long_path(a).c_str(), &first) &&
           fs.identify_known_folder(long_path(b).c_str(), &second) && first == second;
}
