#include "Website.h"

#include "MessageBox.h"
#include "maker.h"

#include <windows.h>

#include <shellapi.h>

bool ShellOpenAddress(const std::string& address) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    // No error box of the shell's own: a failure gets the program's message.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = ::GetDesktopWindow();
    info.lpVerb = "Open";
    info.lpFile = address.c_str();
    info.lpParameters = nullptr;
    info.lpDirectory = nullptr;
    info.nShow = SW_SHOW;
    info.hProcess = nullptr;
    const bool opened = ::ShellExecuteExA(&info) != FALSE;
    // The browser runs on by itself; its process handle is not needed.
    if (info.hProcess)
        ::CloseHandle(info.hProcess);
    return opened;
}

std::string WebsiteFailureMessage(const std::string& address) {
    return "Unable to show website automatically. Try " + address + " in your web browser.";
}

void OpenWebsite(const std::string& address) {
    if (!ShellOpenAddress(address))
        AfxMessageBox(WebsiteFailureMessage(address), MB_OK);
}

void OpenWebsite() {
    OpenWebsite(VELTRA_WEBSITE_ADDRESS);
}
