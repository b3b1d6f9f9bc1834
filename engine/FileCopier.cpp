#include "FileCopier.h"

#include "CopyChannel.h"

#include <vector>

namespace {

const char* const kFolderInTheWay =
    "  (not copied: a folder of the same name is in its place in the destination)";

// Only these errors say that nothing is there; any other failure to look
// (a network hiccup, a sharing violation) leaves the file possibly there.
bool is_absent(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The shell's list format: the path, then two NUL bytes (a list of one).
// The buffer is sized to the path, so no path is ever cut.
std::vector<char> shell_path_list(const std::string& path) {
    std::vector<char> list(path.size() + 2, '\0');
    path.copy(list.data(), path.size());
    return list;
}

} // namespace

bool file_copier::copy_file(std::string source_file, std::string destination_file,
                            bool overwrite_silently, MessageQueue* message_queue,
                            HWND notify_window, bool destination_unavailable, file_system* fs,
                            bool destination_known_absent) {
    if (!fs)
        fs = &real_file_system();
    std::vector<char> from_buffer = shell_path_list(source_file);
    std::vector<char> to_buffer = shell_path_list(destination_file);

    SHFILEOPSTRUCTA operation = {};
    operation.hwnd = notify_window;
    operation.wFunc = FO_COPY;
    operation.pFrom = from_buffer.data();
    operation.pTo = to_buffer.data();
    operation.fFlags = overwrite_silently ? silent_copy_flags : 0;
    operation.fAnyOperationsAborted = FALSE;

    notify(message_queue, notify_window, WM_COPY_STATUS, "Status: copying file " + source_file);

    if (!destination_unavailable) {
        // One look at the destination serves both checks below. It is
        // skipped where the caller knows the place is free (a folder this
        // copy has just created): for a name that is not there, Wine reads
        // the whole folder, which grows with every file copied into it.
        DWORD attributes = INVALID_FILE_ATTRIBUTES;
        bool existed = false;
        if (!destination_known_absent) {
            attributes = fs->file_attributes(destination_file.c_str());
            existed = attributes != INVALID_FILE_ATTRIBUTES || !is_absent(fs->last_error());
        }
        // The shell would copy the file into that folder and report success.
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            notify(message_queue, notify_window, WM_COPY_NOT_COPIED, source_file + kFolderInTheWay);
            return false;
        }
        // A copy cut short (a disk that fills up) leaves a partly written
        // file behind under the source's name. One that this copy created is
        // removed; a file that was there before is never removed here.
        // The shell returns 0 also when the user declined a replacement or
        // cancelled; only a zero result with nothing aborted is a copy.
        if (fs->file_operation(&operation) == 0 && !operation.fAnyOperationsAborted)
            return true;
        if (!existed)
            fs->delete_file(destination_file.c_str());
    }
    notify(message_queue, notify_window, WM_COPY_NOT_COPIED, source_file);
    return false;
}
