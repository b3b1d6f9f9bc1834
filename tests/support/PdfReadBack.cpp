#include "PdfReadBack.h"

#include "TempFolder.h"
#include "Trees.h"
#include "UnixBridge.h"
#include "Wait.h"

#include <cctype>
#include <cstdlib>

std::string PdfFolder() {
    const char* dir = std::getenv("VELTRA_PDF_DIR");
    return dir && *dir ? WindowsPathOf(dir) + "\\" : "";
}

PdfList PdfFiles(const std::string& folder) {
    PdfList names;
    for (const WIN32_FIND_DATAA& found : ListFolder(folder, "*.pdf"))
        names[found.cFileName] = (ULONGLONG(found.ftLastWriteTime.dwHighDateTime) << 32) |
                                 found.ftLastWriteTime.dwLowDateTime;
    return names;
}

std::string WithoutSpaces(const std::string& text) {
    std::string out;
    for (char c : text)
        if (!isspace(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

bool WaitForPdf(const std::string& folder, const PdfList& before, const std::string& marker,
                ReadBack& pdf, int seconds) {
    // A new PDF whose text holds the marker; cups-pdf may still be writing
    // one that is there already, so each is read until it is whole.
    auto found = [&] {
        for (const auto& [name, written] : PdfFiles(folder)) {
            if (auto old = before.find(name); old != before.end() && old->second == written)
                continue;
            const std::string unixPath = UnixPathOf(folder + name);
            std::string text, pages;
            if (!RunUnix("pdftotext -layout '" + unixPath + "' -", &text) ||
                WithoutSpaces(text).find(WithoutSpaces(marker)) == std::string::npos ||
                !RunUnix("pdfinfo '" + unixPath + "' | sed -n 's/^Pages: *//p'", &pages))
                continue;
            pdf.text = text;
            pdf.pages = std::atoi(pages.c_str());
            pdf.unixPath = unixPath;
            return true;
        }
        return false;
    };
    return WaitUntil(found, static_cast<DWORD>(seconds) * 1000, 1000);
}
