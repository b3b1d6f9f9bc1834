#include "AboutTexts.h"

#include "AnsiText.h"
#include "LicenseText.h"
#include "maker.h"

#include <iterator>

namespace {
// The usage note, one entry per line as its pane shows it.
const char* const kUsageLines[] = {
    "Veltra is free and fully functional software. If you find it useful, please show your",
    "appreciation in one or more of the following ways:",
    "",
    "- Tell a friend or a colleague who might benefit from Veltra about this program.",
    "",
    "- Send the author an e-mail (" VELTRA_SUPPORT_ADDRESS ") saying what you use Veltra for",
    "  and how it could be improved, or simply that you found it useful.",
    "",
    "- Add a link to the " VELTRA_WEBSITE_NAME " web site on your own web site or blog.",
    "",
    "- Do something nice for somebody else today, just because you can.",
    "",
    "- Make a donation towards the development time and other costs of the program. A",
    "  donation is entirely voluntary and can be of any amount you choose. You can make one",
    "  from the download page of the " VELTRA_WEBSITE_NAME " web site at:",
    VELTRA_WEBSITE_ADDRESS,
};
} // namespace

std::string BuildUsageText(UINT codePage) {
    std::string text;
    for (size_t i = 0; i < std::size(kUsageLines); ++i) {
        if (i > 0)
            text += "\r\n"; // none after the last line
        text += kUsageLines[i];
    }
    return AnsiFromUtf8(text, codePage);
}

std::string BuildLicenseText(UINT codePage) {
    std::string text;
    for (size_t i = 0; i < kLicenseLineCount; ++i) {
        text += kLicenseLines[i];
        text += "\r\n";
    }
    return AnsiFromUtf8(text, codePage);
}
