#include "CopyReasons.h"

#include "AnsiText.h"
#include "FormatText.h"

namespace {

// The system's message for `error` in the user's language, on one line.
std::string system_message(DWORD error) {
    wchar_t* buffer = nullptr;
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0,
                                    nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    if (buffer)
        ::LocalFree(buffer);
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n' || c == L'\t')
            c = L' ';
    size_t end = text.find_last_not_of(L' ');
    text.erase(end == std::wstring::npos ? 0 : end + 1);
    size_t start = text.find_first_not_of(L' ');
    text.erase(0, start == std::wstring::npos ? text.size() : start);
    std::string message = AnsiFromWide(text);
    return message.empty() ? FormatText("Windows error %lu", error)
                           : FormatText("%s (%lu)", message.c_str(), error);
}

} // namespace

std::string copy_failure_reason(DWORD error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return "in use by another program";
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return "access denied";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "the destination disk is full";
    case ERROR_READ_FAULT:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NOT_READY:
        return "the source could not be read";
    case ERROR_WRITE_FAULT:
    case ERROR_WRITE_PROTECT:
        return "the destination could not be written";
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return "a name or path Windows cannot hold";
    }
    return system_message(error);
}

std::string not_copied_because(DWORD error) {
    return "  (not copied: " + copy_failure_reason(error) + ")";
}
