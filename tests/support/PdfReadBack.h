#pragma once
// Reading back what the CUPS PDF queue printed: the PDFs cups-pdf writes to
// VELTRA_PDF_DIR, turned into text with pdftotext and counted with pdfinfo.

#include <windows.h>

#include <map>
#include <string>

// The PDF folder of cups-pdf as a Windows path ending in a backslash; ""
// when the test run set up no printing.
std::string PdfFolder();

// The PDFs in `folder` with their last write times. cups-pdf names a file
// after the document and the job number, so a later run can write a file of
// the same name again.
using PdfList = std::map<std::string, ULONGLONG>;
PdfList PdfFiles(const std::string& folder);

struct ReadBack {
    std::string text; // pdftotext -layout
    int pages = 0;    // pdfinfo
    std::string unixPath;
};

// Waits up to `seconds` for a new or rewritten PDF (against `before`) whose
// text holds `marker`.
bool WaitForPdf(const std::string& folder, const PdfList& before, const std::string& marker,
                ReadBack& pdf, int seconds = 90);

// `text` without blanks and line breaks: how split lines are compared.
std::string WithoutSpaces(const std::string& text);
