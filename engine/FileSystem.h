#pragma once
// The engine's one seam to the operating system: every file-system and shell
// call the copy makes goes through a file_system. The members forward to
// Win32 by default; a test derives from it and overrides only the call it
// needs to fail in a way a real folder cannot be made to fail.

#include <windows.h>

#include <shellapi.h>

#include <string>

// Identifies a folder on its volume, whatever path or link reaches it.
struct folder_identity {
    DWORD volume = 0;
    DWORD index_high = 0;
    DWORD index_low = 0;
    bool operator==(const folder_identity&) const = default;
    // Some network redirectors report a zero serial number or a zero file
    // index for every folder: such an identity tells folders apart from
    // nothing, so it is not used.
    bool known() const { return volume != 0 && (index_high != 0 || index_low != 0); }
};

// One entry of a folder listing: what the walk reads of WIN32_FIND_DATAA,
// with the name whole. In UTF-8 a name of 255 characters may take 765
// bytes, more than cFileName holds.
struct find_entry {
    DWORD dwFileAttributes = 0;
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    std::string name;
};

class file_system {
public:
    // Listed names are given in `code_page` (the process's ANSI code page
    // unless a test names another).
    explicit file_system(UINT code_page = CP_ACP) : code_page(code_page) {}
    file_system(const file_system&) = delete;
    file_system& operator=(const file_system&) = delete;
    virtual ~file_system() = default;

    virtual DWORD get_current_directory(DWORD size, char* buffer);
    virtual BOOL set_current_directory(const char* path);
    // A listing as FindFirstFileA/FindNextFileA give it, except that a
    // character of a name the ANSI code page cannot write exactly shows as
    // '?' (never as a look-alike letter), and that no name is cut.
    virtual HANDLE find_first_file(const char* pattern, find_entry* entry);
    virtual BOOL find_next_file(HANDLE find, find_entry* entry);
    virtual BOOL find_close(HANDLE find);
    // The C run-time's _mkdir: 0, or -1 with errno set.
    virtual int mkdir(const char* path);
    virtual BOOL create_directory(const char* path);
    virtual int file_operation(SHFILEOPSTRUCTA* operation);
    // GetFileAttributesA: INVALID_FILE_ATTRIBUTES when nothing is there.
    virtual DWORD file_attributes(const char* path);
    virtual BOOL delete_file(const char* path);
    virtual DWORD last_error();
    // The identity of the folder that `path` leads to (links followed);
    // false when it cannot be opened.
    virtual bool identify_folder(const char* path, folder_identity* identity);

    // identify_folder, false also when the identity is not a known one.
    bool identify_known_folder(const char* path, folder_identity* identity) {
        return identify_folder(path, identity) && identity->known();
    }
    // True when both paths lead to one existing folder of known identity.
    bool same_folder(const char* a, const char* b) {
        folder_identity first, second;
        return identify_known_folder(a, &first) && identify_known_folder(b, &second) &&
               first == second;
    }

private:
    UINT code_page;
};

// The instance that forwards to the operating system. It holds no state.
file_system& real_file_system();
