#include "Trees.h"

#include "TempFolder.h"

#include <windows.h>

#include <map>

namespace {

// Name -> is-folder, for one folder level.
std::map<std::string, bool> ListFolder(const std::string& folder) {
    std::map<std::string, bool> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..")
            names[name] = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

} // namespace

bool MakeTree(const std::string& root, const std::vector<TreeEntry>& entries) {
    for (const auto& e : entries) {
        std::string full = root + e.path;
        // Create every folder on the way, the root's own included.
        for (size_t at = full.find('\\', 3); at != std::string::npos;
             at = full.find('\\', at + 1))
            CreateDirectoryA(full.substr(0, at).c_str(), nullptr);
        if (!e.path.empty() && e.path.back() == '\\')
            continue;
        if (!WriteFileBytes(full, e.content))
            return false;
    }
    return true;
}

std::string CompareTrees(const std::string& source, const std::string& copy) {
    auto a = ListFolder(source);
    auto b = ListFolder(copy);
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

int CountFiles(const std::string& root) {
    int count = 0;
    for (const auto& [name, isFolder] : ListFolder(root))
        count += isFolder ? CountFiles(root + name + "\\") : 1;
    return count;
}
