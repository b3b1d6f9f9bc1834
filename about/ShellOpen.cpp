#include "ShellOpen.h"

#include <windows.h>

#include <shellapi.h>

bool ShellOpenAddress(const std::string& address) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = ::GetDesktopWindow();
    info.lpVerb = "Open";
    info.lpFile = address.c_str();
    info.nShow = SW_SHOW;
    const bool opened = ::ShellExecuteExA(&info) != FALSE;
    // The opened program runs by itself; its process handle is not needed.
    if (info.hProcess)
        ::CloseHandle(info.hProcess);
    return opened;
}
