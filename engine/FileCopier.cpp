#include "FileCopier.h"

#include "AnsiText.h"
#include "CopyChannel.h"
#include "FormatText.h"
#include "PathOps.h"

#include <vector>

namespace {

const char* const kFolderInTheWay =
    "  (not copied: a folder of the same name is in its place in the destination)";

// Attributes that make Windows refuse to overwrite a file in place.
constexpr DWORD kProtecting =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Only these errors say that nothing is there; any other failure to look
// (a network hiccup, a sharing violation) leaves the file possibly there.
bool is_absent(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The shell's list format: the path, then two NULs (a list of one).
std::vector<wchar_t> shell_path_list(const std::string& path) {
    std::wstring wide = WideFromAnsi(path);
    std::vector<wchar_t> list(wide.size() + 2, L'\0');
    wide.copy(list.data(), wide.size());
    return list;
}

// The shell's own copy, with its question before it replaces a file.
bool shell_copy(file_system& fs, const std::string& from, const std::string& to, HWND owner) {
    std::vector<wchar_t> from_buffer = shell_path_list(from);
    std::vector<wchar_t> to_buffer = shell_path_list(to);
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = owner;
    operation.wFunc = FO_COPY;
    operation.pFrom = from_buffer.data();
    operation.pTo = to_buffer.data();
    operation.fFlags = 0;
    operation.fAnyOperationsAborted = FALSE;
    // The shell returns 0 also when the user declined a replacement or
    // cancelled; only a zero result with nothing aborted is a copy.
    return fs.file_operation(&operation) == 0 && !operation.fAnyOperationsAborted;
}

// Copies over whatever is at `to`. A read-only, hidden or system file there
// is replaced as any other (Windows refuses to write over one in place);
// the source's attributes and last-write time arrive with the data.
bool copy_replacing(file_system& fs, const std::wstring& from, const std::wstring& to,
                    DWORD existing_attributes) {
    bool unprotected = false;
    if (existing_attributes != INVALID_FILE_ATTRIBUTES && (existing_attributes & kProtecting))
        unprotected = fs.set_file_attributes(to.c_str(), existing_attributes & ~kProtecting) != 0;
    if (fs.copy_file(from.c_str(), to.c_str())) {
        // Written over an existing file, the copy may keep that file's
        // attributes (Wine does): the source's are set again.
        if (existing_attributes != INVALID_FILE_ATTRIBUTES) {
            DWORD source_attributes = fs.file_attributes(from.c_str());
            if (source_attributes != INVALID_FILE_ATTRIBUTES)
                fs.set_file_attributes(to.c_str(), source_attributes);
        }
        return true;
    }
    DWORD error = fs.last_error();
    if (unprotected)
        fs.set_file_attributes(to.c_str(), existing_attributes);
    ::SetLastError(error);
    return false;
}

} // namespace

bool shell_can_reach(const std::string& path) {
    return WideLength(path) < MAX_PATH;
}

bool file_copier::copy_file(std::string source_file, std::string destination_file,
                            bool overwrite_silently, MessageQueue* message_queue,
                            HWND notify_window, bool destination_unavailable, file_system* fs,
                            bool destination_known_absent) {
    if (!fs)
        fs = &real_file_system();

    notify(message_queue, notify_window, WM_COPY_STATUS, "Status: copying file " + source_file);

    if (!destination_unavailable) {
        std::wstring from = long_path(source_file);
        std::wstring to = long_path(destination_file);
        // One look at the destination serves every check below. It is
        // skipped where the caller knows the place is free (a folder this
        // copy has just created): for a name that is not there, Wine reads
        // the whole folder, which grows with every file copied into it.
        DWORD attributes = INVALID_FILE_ATTRIBUTES;
        bool existed = false;
        if (!destination_known_absent) {
            attributes = fs->file_attributes(to.c_str());
            existed = attributes != INVALID_FILE_ATTRIBUTES || !is_absent(fs->last_error());
        }
        // Copied there, the file would land inside that folder.
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            notify(message_queue, notify_window, WM_COPY_NOT_COPIED, source_file + kFolderInTheWay);
            return false;
        }
        bool copied;
        if (!existed || overwrite_silently) {
            copied = copy_replacing(*fs, from, to, attributes);
        } else if (shell_can_reach(source_file) && shell_can_reach(destination_file)) {
            copied = shell_copy(*fs, source_file, destination_file, notify_window);
        } else {
            copied = ask(message_queue, notify_window,
                         FormatText("The destination already holds a file of this name:\n\n%s\n\n"
                                    "Do you want to replace it with the file being copied?",
                                    destination_file.c_str())) &&
                     copy_replacing(*fs, from, to, attributes);
        }
        if (copied)
            return true;
        // A copy cut short (a disk that fills up) may leave a partly written
        // file behind. One that this copy created is removed; a file that
        // was there before is never removed here.
        if (!existed)
            fs->delete_file(to.c_str());
    }
    notify(message_queue, notify_window, WM_COPY_NOT_COPIED, source_file);
    return false;
}
