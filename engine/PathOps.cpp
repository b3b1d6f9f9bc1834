#include "PathOps.h"

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

bool same_path_ignoring_case(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    std::string upper_a = a;
    std::string upper_b = b;
    ::CharUpperBuffA(upper_a.data(), static_cast<DWORD>(upper_a.size()));
    ::CharUpperBuffA(upper_b.data(), static_cast<DWORD>(upper_b.size()));
    return upper_a == upper_b;
}
