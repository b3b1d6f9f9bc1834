// Destination folder creation, one level per call from the top down.
#include "FolderCopier.h"

#include "PathOps.h"

bool folder_copier::create_folder(const std::string& path, bool* created) {
    if (path == "\\\\")
        return true; // the start of a network path
    std::string::size_type last = find_last_backslash(path);
    if (last == std::string::npos)
        return true;
    std::string parent = path.substr(0, last);
    std::string::size_type up = find_last_backslash(parent);
    if (up == std::string::npos)
        return true; // a drive root is never created
    std::string head = parent.substr(0, up + 1);
    if (head == "\\\\")
        return true; // the server level of a network path
    if (!create_folder(head))
        return false;
    std::wstring wide = long_path(path);
    if (fs->create_directory(wide.c_str())) {
        if (created)
            *created = true;
        return true;
    }
    return fs->last_error() == ERROR_ALREADY_EXISTS || folder_exists(wide);
}

bool folder_copier::folder_exists(const std::wstring& path) const {
    DWORD attributes = fs->file_attributes(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
