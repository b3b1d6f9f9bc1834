#include "FileSystem.h"

#include "AnsiText.h"

#include <direct.h>

DWORD file_system::get_current_directory(DWORD size, char* buffer) {
    return ::GetCurrentDirectoryA(size, buffer);
}

BOOL file_system::set_current_directory(const char* path) {
    return ::SetCurrentDirectoryA(path);
}

namespace {

// The listed entry in the code page. FindFirstFileA would write a look-alike
// for a character a legacy code page lacks (a-macron as "a", omega as "O"),
// and the copy would then open another file of that name; here such a
// character becomes '?', which no real Windows name holds, so the walk can
// tell.
void to_ansi_entry(const WIN32_FIND_DATAW& wide, find_entry* entry, UINT code_page) {
    entry->dwFileAttributes = wide.dwFileAttributes;
    entry->nFileSizeHigh = wide.nFileSizeHigh;
    entry->nFileSizeLow = wide.nFileSizeLow;
    entry->name = AnsiNameFromWide(wide.cFileName, code_page);
}

} // namespace

HANDLE file_system::find_first_file(const char* pattern, find_entry* entry) {
    WIN32_FIND_DATAW wide;
    HANDLE find = ::FindFirstFileW(WideFromAnsi(pattern, code_page).c_str(), &wide);
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

int file_system::mkdir(const char* path) {
    return ::_mkdir(path);
}

BOOL file_system::create_directory(const char* path) {
    return ::CreateDirectoryA(path, nullptr);
}

int file_system::file_operation(SHFILEOPSTRUCTA* operation) {
    return ::SHFileOperationA(operation);
}

DWORD file_system::file_attributes(const char* path) {
    return ::GetFileAttributesA(path);
}

BOOL file_system::delete_file(const char* path) {
    return ::DeleteFileA(path);
}

DWORD file_system::last_error() {
    return ::GetLastError();
}

bool file_system::identify_folder(const char* path, folder_identity* identity) {
    // Opening a folder needs backup semantics; without FILE_FLAG_OPEN_REPARSE_POINT
    // a link is followed to the folder it names.
    HANDLE h = ::CreateFileA(path, FILE_READ_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = ::GetFileInformationByHandle(h, &info) != 0;
    ::CloseHandle(h);
    if (ok) {
        identity->volume = info.dwVolumeSerialNumber;
        identity->index_high = info.nFileIndexHigh;
        identity->index_low = info.nFileIndexLow;
    }
    return ok;
}

file_system& real_file_system() {
    static file_system instance;
    return instance;
}
