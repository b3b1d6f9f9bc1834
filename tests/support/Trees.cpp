#include "Trees.h"

#include "TempFolder.h"

#include <map>

bool MakeTree(const std::string& root, const std::vector<TreeEntry>& entries) {
    for (const auto& e : entries) {
        std::string full = root + e.path;
        // Create every folder on the way, the root's own included.
        for (size_t at = full.find('\\', 3); at != std::string::npos; at = full.find('\\', at + 1))
            CreateDirectoryA(full.substr(0, at).c_str(), nullptr);
        if (!e.path.empty() && e.path.back() == '\\')
            continue;
        if (!WriteFileBytes(full, e.content))
            return false;
    }
    return true;
}

std::vector<WIN32_FIND_DATAA> ListFolder(const std::string& folder, const std::string& pattern) {
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + pattern).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..")
            entries.push_back(entry);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return entries;
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const WIN32_FIND_DATAA& entry : ListFolder(folder))
        names.push_back(entry.cFileName);
    return names;
}

namespace {

bool IsFolder(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void CollectFiles(const std::string& root, const std::string& relative,
                  std::vector<std::string>& files) {
    for (const WIN32_FIND_DATAA& entry : ListFolder(root + relative)) {
        if (IsFolder(entry))
            CollectFiles(root, relative + entry.cFileName + "\\", files);
        else
            files.push_back(relative + entry.cFileName);
    }
}

} // namespace

std::vector<std::string> FilesBelow(const std::string& root) {
    std::vector<std::string> files;
    CollectFiles(root, "", files);
    return files;
}

TreeSize SizeOfTree(const std::string& root) {
    TreeSize size;
    for (const WIN32_FIND_DATAA& entry : ListFolder(root)) {
        if (IsFolder(entry)) {
            TreeSize inner = SizeOfTree(root + entry.cFileName + "\\");
            size.files += inner.files;
            size.bytes += inner.bytes;
        } else {
            size.files += 1;
            size.bytes += entry.nFileSizeHigh * 4294967296.0 + entry.nFileSizeLow;
        }
    }
    return size;
}

std::string CompareTrees(const std::string& source, const std::string& copy) {
    // Name -> is-folder, for one folder level of each side.
    std::map<std::string, bool> a, b;
    for (const WIN32_FIND_DATAA& entry : ListFolder(source))
        a[entry.cFileName] = IsFolder(entry);
    for (const WIN32_FIND_DATAA& entry : ListFolder(copy))
        b[entry.cFileName] = IsFolder(entry);
    for (const auto& [name, isFolder] : a) {
        auto other = b.find(name);
        if (other == b.end())
            return "missing in copy: " + copy + name;
        if (other->second != isFolder)
            return "kind differs: " + copy + name;
        if (isFolder) {
            std::string inner = CompareTrees(source + name + "\\", copy + name + "\\");
            if (!inner.empty())
                return inner;
            continue;
        }
        std::string left, right;
        if (!ReadFileBytes(source + name, left) || !ReadFileBytes(copy + name, right))
            return "unreadable: " + name;
        if (left != right)
            return "content differs: " + copy + name;
    }
    for (const auto& [name, isFolder] : b)
        if (!a.count(name))
            return "extra in copy: " + copy + name;
    return "";
}
