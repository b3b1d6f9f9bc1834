#include "Website.h"

#include "MessageBox.h"
#include "ShellOpen.h"
#include "maker.h"

#include <windows.h>

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
