#include "PdfReadBack.h"

#include "TempFolder.h"
#include "UnixShell.h"

#include <cctype>
#include <cstdlib>

std::string PdfFolder() {
    const char* dir = std::getenv("VELTRA_PDF_DIR");
    return dir && *dir ? ZDrivePath(dir) + "\\" : "";
}

PdfList PdfFiles(const std::string& folder) {
    PdfList names;
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((folder + "*.pdf").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names[found.cFileName] = (ULONGLONG(found.ftLastWriteTime.dwHighDateTime) << 32) |
                                 found.ftLastWriteTime.dwLowDateTime;
    while (::FindNextFileA(find, &found));
    ::FindClose(find);
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
    TempFolder work;
    for (int attempt = 0; attempt < seconds; ++attempt, ::Sleep(1000)) {
        for (const auto& [name, written] : PdfFiles(folder)) {
            if (auto old = before.find(name); old != before.end() && old->second == written)
                continue;
            const std::string unixPath = UnixPathOf(folder + name);
            std::string output;
            if (!RunUnixScript("pdftotext -layout '" + unixPath + "' text.txt && pdfinfo '" +
                                   unixPath + "' | sed -n 's/^Pages: *//p'",
                               work.path(), output))
                continue;
            std::string text;
            if (!ReadFileBytes(work.path() + "text.txt", text) ||
                WithoutSpaces(text).find(WithoutSpaces(marker)) == std::string::npos)
                continue;
            pdf.text = text;
            pdf.pages = std::atoi(output.c_str());
            pdf.unixPath = unixPath;
            return true;
        }
    }
    return false;
}
