#include "WideTree.h"

#include "AnsiText.h"

#include <set>
#include <tuple>

namespace {

using Identity = std::tuple<DWORD, DWORD, DWORD>;

bool IdentityOf(const std::wstring& folder, Identity* identity) {
    HANDLE h = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    *identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return ok;
}

void Walk(const std::wstring& root, const std::wstring& relative, std::vector<Identity>& above,
          std::vector<WideEntry>& out) {
    std::wstring folder = root + relative;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        WideEntry entry;
        entry.relative = relative + name;
        entry.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.link = entry.folder && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
        entry.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entry.written = data.ftLastWriteTime;
        Identity identity{};
        if (entry.link && IdentityOf(root + entry.relative, &identity)) {
            for (const Identity& a : above)
                entry.looping = entry.looping || a == identity;
        }
        out.push_back(entry);
        if (entry.folder && !entry.looping) {
            bool known = IdentityOf(root + entry.relative, &identity);
            if (known)
                above.push_back(identity);
            Walk(root, entry.relative + L"\\", above, out);
            if (known)
                above.pop_back();
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

} // namespace

std::vector<WideEntry> ListWideTree(const std::wstring& root) {
    std::vector<WideEntry> out;
    std::vector<Identity> above;
    Identity identity;
    if (IdentityOf(root, &identity))
        above.push_back(identity);
    Walk(root, std::wstring(), above, out);
    return out;
}

std::wstring Widen(const std::string& ansi) {
    return WideFromAnsi(ansi);
}

std::string Narrow(const std::wstring& wide) {
    return AnsiNameFromWide(wide);
}

std::string Utf8(const std::wstring& wide) {
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string text(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                        nullptr, nullptr);
    return text;
}

bool ReadWideFile(const std::wstring& path, std::string& content) {
    content.clear();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    static thread_local char buffer[1 << 16];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(h, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0)
        content.append(buffer, got);
    CloseHandle(h);
    return ok;
}

std::wstring LongPath(const std::string& path) {
    return L"\\\\?\\" + Widen(path);
}

bool WriteWideFile(const std::wstring& path, const std::string& content) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = content.empty() ||
              WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == content.size();
}

bool MakeWideFolders(const std::wstring& folder) {
    // Past "\\?\" and the drive, each backslash ends a folder to create.
    size_t first = folder.rfind(L"\\\\?\\", 0) == 0 ? 7 : 3;
    for (size_t at = folder.find(L'\\', first); at != std::wstring::npos;
         at = folder.find(L'\\', at + 1))
        CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}
