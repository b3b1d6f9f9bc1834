#include "PathOps.h"

#include "AnsiText.h"

#include <windows.h>

void add_trailing_backslash(std::string& path) {
    // The last character may be the trail byte of a double-byte character
    // that happens to equal '\\'; only a real separator counts.
    std::string::size_type last = find_last_backslash(path);
    if (path.empty() || last != path.size() - 1)
        path += '\\';
}

std::string::size_type find_last_backslash(const std::string& path) {
    std::string::size_type last = std::string::npos;
    for (std::string::size_type i = 0; i < path.size(); ++i) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (path[i] == '\\')
            last = i;
    }
    return last;
}

namespace {

// The file system's own comparison: each UTF-16 unit upper-cased through the
// system's table, whatever the user's language (no Turkish dotless i).
int compare_ignoring_case(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE);
}

} // namespace

bool same_path_ignoring_case(const std::string& a, const std::string& b) {
    return compare_ignoring_case(WideFromAnsi(a), WideFromAnsi(b)) == CSTR_EQUAL;
}

bool names_ordered_ignoring_case::operator()(const std::wstring& a, const std::wstring& b) const {
    return compare_ignoring_case(a, b) == CSTR_LESS_THAN;
}

namespace {

bool starts_with(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

} // namespace

std::wstring long_path(const std::string& path) {
    if (starts_with(path, "\\\\?\\") || starts_with(path, "\\\\.\\"))
        return WideFromAnsi(path);
    if (starts_with(path, "\\\\"))
        return L"\\\\?\\UNC\\" + WideFromAnsi(path.substr(2));
    return L"\\\\?\\" + WideFromAnsi(path);
}

std::string plain_path(const std::string& path) {
    // Letter case as Windows takes it: \\?\unc\ is the network form too.
    if (path.size() >= 8 && starts_with(path, "\\\\?\\") &&
        same_path_ignoring_case(path.substr(4, 4), "UNC\\"))
        return "\\\\" + path.substr(8);
    // Only a drive path loses it: \\?\Volume{...}\ has no other spelling.
    if (starts_with(path, "\\\\?\\") && path.size() >= 6 && path[5] == ':')
        return path.substr(4);
    return path;
}
