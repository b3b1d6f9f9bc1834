#include "TempFolder.h"

#include "Trees.h"
#include "WideTree.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

namespace {
std::atomic<unsigned> g_counter{0};

std::string SystemTempFolder() {
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, base);
    return base;
}
} // namespace

TempFolder::TempFolder() : TempFolder(SystemTempFolder()) {}

TempFolder::TempFolder(const std::string& root) {
    // An 8.3 name (eight hex digits), which is its own short name. Wine
    // makes a long name's short form from a hash, and among the many test
    // folders that concurrent tests keep beside each other two now and then
    // share one (about one in a hundred): a short path through such a
    // folder then names the other one. Making the folder claims the name.
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "%04lX%04X\\", GetCurrentProcessId() & 0xFFFF,
                      g_counter.fetch_add(1) & 0xFFFF);
        m_path = root + name;
        if (CreateDirectoryA(m_path.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

TempFolder::~TempFolder() {
    RemoveTree(m_path);
}

bool WriteFileBytes(const std::string& path, const std::string& content) {
    return WriteWideFile(Widen(path), content);
}

bool ReadFileBytes(const std::string& path, std::string& content) {
    return ReadWideFile(Widen(path), content);
}

bool FolderExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// Through the long form, so that trees deeper than MAX_PATH go too.
bool RemoveWideTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = folder + name;
            // A folder link is removed as a link, never followed.
            bool isLink = entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink) {
                RemoveWideTree(child + L"\\");
            } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryW(child.c_str());
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (RemoveDirectoryW(folder.c_str()))
        return true;
    DWORD a = GetFileAttributesW(folder.c_str());
    return a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool RemoveTree(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return RemoveWideTree(LongPath(folder));
}
