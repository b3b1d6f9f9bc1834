// Printing for real: the CUPS PDF queue that the test run sets up as the
// default printer, as Wine shows it, and a report printed on it and read
// back from the PDF that cups-pdf writes.

#include "FormatText.h"
#include "PrintRecorder.h"
#include "ReportFixture.h"
#include "ReportPrinter.h"
#include "TempFolder.h"
#include "UnixShell.h"
#include "maker.h"

#include <gtest/gtest.h>

#include <winspool.h>

#include <cstdlib>
#include <map>

namespace {
const char kQueue[] = "VeltraPDF";

std::string DefaultPrinter() {
    char name[256] = {};
    DWORD size = sizeof(name);
    return ::GetDefaultPrinterA(name, &size) ? name : "";
}

// The PDF folder of cups-pdf, as a Windows path ending in a backslash.
std::string PdfFolder() {
    const char* dir = std::getenv("VELTRA_PDF_DIR");
    return dir && *dir ? WindowsPathOf(dir) + "\\" : "";
}

// The PDFs in `folder` with their last write times. cups-pdf names a file
// after the document and the job number, so a later run can write a file of
// the same name again.
using PdfList = std::map<std::string, ULONGLONG>;
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

struct ReadBack {
    std::string text; // pdftotext
    int pages = 0;    // pdfinfo
    std::string unixPath;
};

std::string WithoutSpaces(const std::string& text) {
    std::string out;
    for (char c : text)
        if (!isspace(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

// Waits for a new or rewritten PDF whose text holds `marker`.
bool WaitForPdf(const std::string& folder, const PdfList& before, const std::string& marker,
                ReadBack& pdf, int seconds = 90) {
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

class CupsPrinting : public ::testing::Test {
protected:
    void SetUp() override {
        if (PdfFolder().empty())
            GTEST_SKIP() << "VELTRA_PDF_DIR is not set: run through scripts/test.sh, which "
                            "starts CUPS with the VeltraPDF queue";
    }
};
} // namespace

TEST_F(CupsPrinting, WineShowsTheCupsPdfQueueAsTheDefaultPrinter) {
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed,
                    &count);
    std::vector<BYTE> buffer(needed + 1);
    ASSERT_TRUE(::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2,
                                buffer.data(), needed, &needed, &count));
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    bool listed = false;
    for (DWORD i = 0; i < count; ++i)
        listed = listed || std::string(printers[i].pPrinterName) == kQueue;
    EXPECT_TRUE(listed);
    EXPECT_EQ(DefaultPrinter(), kQueue);

    HDC dc = ::CreateDCA(nullptr, kQueue, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_GT(::GetDeviceCaps(dc, HORZRES), 1000); // a page, in printer pixels
    EXPECT_GT(::GetDeviceCaps(dc, VERTRES), ::GetDeviceCaps(dc, HORZRES));
    ::DeleteDC(dc);
}

TEST_F(CupsPrinting, ReportPrintsAsAPdfWithItsHeaderAndEveryLineInOrder) {
    HDC printer = ::CreateDCA(nullptr, DefaultPrinter().c_str(), nullptr, nullptr);
    ASSERT_NE(printer, nullptr);
    const int width = ::GetDeviceCaps(printer, HORZRES);

    // Failures, a line far wider than the page, and enough lines for three
    // pages; a marker tells this job's PDF from any other.
    const std::string marker =
        FormatText("Report %lu-%lu", ::GetCurrentProcessId(), ::GetTickCount());
    std::vector<std::string> lines = {marker, "Folder: C:\\Data\\Projects\\",
                                      "     Not copied: C:\\Data\\Projects\\locked.db"};
    std::string wide;
    for (int i = 0; wide.size() < 300; ++i)
        wide += FormatText("segment%02d\\", i);
    lines.push_back("     Not copied: C:\\" + wide + "end.txt");
    for (const auto& line : NumberedLines(90))
        lines.push_back(line);
    lines.push_back("2 files failed to copy (1.50% of the source)");
    ReportEdit edit(lines);

    const PdfList before = PdfFiles(PdfFolder());
    PrintRecorder calls(printer);
    calls.forward = true;
    std::vector<std::string> alerts;
    ReportPrinter(calls, [&](const std::string& m) { alerts.push_back(m); }).Print(edit.hwnd());
    EXPECT_TRUE(alerts.empty()) << alerts.front();
    ASSERT_GE(calls.startPages, 3);

    // The wide line was split to the page.
    HDC measure = ::CreateDCA(nullptr, DefaultPrinter().c_str(), nullptr, nullptr);
    for (const auto& piece : calls.lines)
        EXPECT_LE(TextWidthOn(measure, piece.text), width) << piece.text;
    ::DeleteDC(measure);
    EXPECT_GT(calls.lines.size(), lines.size());

    ReadBack pdf;
    ASSERT_TRUE(WaitForPdf(PdfFolder(), before, marker, pdf)) << "no PDF with " << marker;
    std::string expected;
    for (const auto& line : lines)
        expected += line;
    const std::string text = WithoutSpaces(pdf.text);
    const size_t title = text.find("DataMigrationReport");
    const size_t credit = text.find(WithoutSpaces("Generated by Veltra - " VELTRA_WEBSITE_NAME));
    const size_t body = text.find(WithoutSpaces(expected));
    EXPECT_NE(title, std::string::npos) << pdf.text;
    EXPECT_NE(credit, std::string::npos);
    EXPECT_NE(body, std::string::npos) << pdf.text;
    EXPECT_LT(title, credit);
    EXPECT_LT(credit, body);
    EXPECT_EQ(pdf.pages, calls.startPages);
    std::printf("PDF: %s (%d pages)\n", pdf.unixPath.c_str(), pdf.pages);
}

TEST_F(CupsPrinting, AbandonedJobLeavesNoPdf) {
    HDC printer = ::CreateDCA(nullptr, DefaultPrinter().c_str(), nullptr, nullptr);
    ASSERT_NE(printer, nullptr);
    const std::string marker =
        FormatText("Abandoned %lu-%lu", ::GetCurrentProcessId(), ::GetTickCount());
    std::vector<std::string> lines = {marker};
    for (const auto& line : NumberedLines(60))
        lines.push_back(line);
    ReportEdit edit(lines);

    const PdfList before = PdfFiles(PdfFolder());
    PrintRecorder calls(printer);
    calls.forward = true;
    calls.endPageResults[1] = SP_OUTOFDISK; // the first page ends, then "fails"
    std::vector<std::string> alerts;
    ReportPrinter(calls, [&](const std::string& m) { alerts.push_back(m); }).Print(edit.hwnd());
    EXPECT_EQ(alerts, std::vector<std::string>{"Error: printing, end page error(-4): out of disk"});
    ReadBack pdf;
    EXPECT_FALSE(WaitForPdf(PdfFolder(), before, marker, pdf, 10)) << pdf.unixPath;
}
