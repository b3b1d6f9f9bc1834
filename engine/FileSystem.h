#pragma once
// The engine's one seam to the operating system: every file-system and shell
// call the copy makes goes through a file_system. The members forward to
// Win32 by default; a test derives from it and overrides only the call it
// needs to fail in a way a real folder cannot be made to fail.

#include <windows.h>

#include <string>

// Identifies a folder on its volume, whatever path or link reaches it: the
// volume's serial number and the folder's 128-bit id where the volume gives
// one (ReFS documents its 64-bit index as not unique), its 64-bit file
// index otherwise.
struct folder_identity {
    ULONGLONG volume = 0;
    ULONGLONG id_high = 0;
    ULONGLONG id_low = 0;
    bool operator==(const folder_identity&) const = default;
    // Some network redirectors report a zero serial number or a zero file
    // index for every folder: such an identity tells folders apart from
    // nothing, so it is not used.
    bool known() const { return volume != 0 && (id_high != 0 || id_low != 0); }
};

// The identity FileIdInfo gives; false when its id is all zeros, which a
// file system without 128-bit ids answers (then the file index serves).
bool identity_from_file_id(const FILE_ID_INFO& info, folder_identity* identity);

// One entry of a folder listing: what the walk reads of WIN32_FIND_DATAW,
// with the name whole. In UTF-8 a name of 255 characters may take 765
// bytes, more than cFileName holds.
struct find_entry {
    DWORD dwFileAttributes = 0;
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    FILETIME ftLastWriteTime = {};
    DWORD reparse_tag = 0; // of a reparse point (0 where the system names none)
    std::string name;
};

// The engine's calls take absolute wide paths in the \\?\ form (long_path in
// PathOps.h), which reach every path Windows can hold, up to 32,767
// characters, and never depend on the process's current folder.
class file_system {
public:
    // Listed names are given in `code_page` (the process's ANSI code page
    // unless a test names another).
    explicit file_system(UINT code_page = CP_ACP) : code_page(code_page) {}
    file_system(const file_system&) = delete;
    file_system& operator=(const file_system&) = delete;
    virtual ~file_system() = default;

    // FindFirstFileExW (basic information, large fetch) and FindNextFileW,
    // with each name in the code page: a character it cannot write exactly
    // shows as '?' (never as a look-alike letter), and no name is cut.
    virtual HANDLE find_first_file(const wchar_t* pattern, find_entry* entry);
    virtual BOOL find_next_file(HANDLE find, find_entry* entry);
    virtual BOOL find_close(HANDLE find);
    virtual BOOL create_directory(const wchar_t* path);
    // CopyFileExW: data, attributes and times. With fail_if_exists a file
    // already at `to` is left alone and the call fails.
    virtual BOOL copy_file(const wchar_t* from, const wchar_t* to, bool fail_if_exists);
    // MoveFileExW with MOVEFILE_REPLACE_EXISTING: `from` takes `to`'s place
    // in one step, on the same volume.
    virtual BOOL move_replacing(const wchar_t* from, const wchar_t* to);
    // ReplaceFileW: `replacement` takes `replaced`'s place and keeps what
    // Windows keeps of a replaced file (security, creation time, streams);
    // the old file is moved to `backup`. Merge errors are ignored.
    virtual BOOL replace_file(const wchar_t* replaced, const wchar_t* replacement,
                              const wchar_t* backup);
    // True when another program holds the file open without letting it be
    // deleted or renamed (a sharing violation on opening it for DELETE).
    virtual bool held_by_another_program(const wchar_t* path);
    // GetFileAttributesW: INVALID_FILE_ATTRIBUTES when nothing is there.
    virtual DWORD file_attributes(const wchar_t* path);
    // GetFileAttributesExW: size and times, for the replace question.
    virtual BOOL file_details(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data);
    virtual BOOL set_file_attributes(const wchar_t* path, DWORD attributes);
    // Sets a folder's last-write time and its attributes (FILE_ATTRIBUTE_NORMAL
    // for none) through one opening of the folder, where SetFileTime and
    // SetFileAttributesW would open it twice.
    virtual BOOL set_folder_details(const wchar_t* path, const FILETIME& written, DWORD attributes);
    virtual BOOL delete_file(const wchar_t* path);
    virtual DWORD last_error();
    // The identity of the folder that `path` leads to (links followed);
    // false when it cannot be opened.
    virtual bool identify_folder(const wchar_t* path, folder_identity* identity);
    // The path of the folder that `path` leads to, every link followed
    // (GetFinalPathNameByHandleW, in the \\?\ form); opening a folder does not
    // list it, so a link that denies listing still names its target. False
    // when it cannot be opened.
    virtual bool final_path(const wchar_t* path, std::wstring* final);

    // identify_folder, false also when the identity is not a known one.
    bool identify_known_folder(const wchar_t* path, folder_identity* identity) {
        return identify_folder(path, identity) && identity->known();
    }

private:
    UINT code_page;
};

// The instance that forwards to the operating system. It holds no state.
file_system& real_file_system();

// True when both folder paths (as the user writes them) lead to one
// existing folder of known identity.
bool same_folder(file_system& fs, const std::string& a, const std::string& b);
