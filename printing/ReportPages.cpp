// The page layout of a print job: report lines onto pages, split to the
// page width, with a new page whenever the next line would not fit.

#include "ReportPrinter.h"

#include "AnsiText.h"
#include "FormatText.h"

#include <cstring>

namespace {
// Measured in UTF-16, as the lines are drawn (PrintCalls::TextOut): the 8-bit
// call would read the bytes in the code page of the font's character set,
// not in the process's.
int TextWidth(HDC dc, const std::string& text) {
    const std::wstring wide = WideFromAnsi(text);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

// The length in bytes of the longest start of `text` narrower than `width`,
// at least one character so that a character wider than the page still
// moves on. It ends between characters, never inside one.
size_t PieceLength(HDC dc, const std::string& text, int width) {
    if (TextWidth(dc, text) < width)
        return text.size();
    size_t piece = CharLengthAt(text, 0);
    while (piece < text.size()) {
        const size_t longer = piece + CharLengthAt(text, piece);
        if (TextWidth(dc, text.substr(0, longer)) >= width)
            break;
        piece = longer;
    }
    return piece;
}

// The first `count` characters of `text` (UTF-16 units, as the edit control
// counts them), cut between characters.
std::string FirstCharacters(const std::string& text, size_t count) {
    if (text.size() <= count)
        return text; // no more characters than bytes
    size_t end = 0, units = 0;
    while (end < text.size()) {
        const size_t length = CharLengthAt(text, end);
        units += WideLength(text.substr(end, length));
        if (units > count)
            break;
        end += length;
    }
    return text.substr(0, end);
}
} // namespace

bool ReportPrinter::EndReportPage(CDC& dc) {
    const int result = m_calls.EndPage(dc);
    if (result >= 0)
        return false;
    if (result != SP_APPABORT && result != SP_USERABORT)
        m_showAlert(FormatText("Error: printing, end page error(%d): ", result) +
                    PrintFailureReason(result));
    return true;
}

bool ReportPrinter::BreakPageIfFull(CDC& dc, int& y, int L, int H) {
    if (y + L < H)
        return false;
    if (EndReportPage(dc))
        return true;
    const int result = m_calls.StartPage(dc);
    if (result > 0) {
        y = 0;
        return false;
    }
    m_showAlert(FormatText("Error: printing, start page error(2) %d", result));
    return true;
}

void ReportPrinter::PrintPiece(CDC& dc, const char* text, int length, int height, int lineHeight,
                               int& y) {
    if (BreakPageIfFull(dc, y, lineHeight, height))
        throw print_job_abandoned;
    m_calls.TextOut(dc, 0, y, text, length);
    y += lineHeight;
}

void ReportPrinter::PrintLine(CDC& dc, const std::string& line, int width, int height,
                              int lineHeight, int& y) {
    if (TextWidth(dc, line) <= width) {
        PrintPiece(dc, line.c_str(), static_cast<int>(line.size()), height, lineHeight, y);
        return;
    }
    for (size_t start = 0; start < line.size();) {
        const std::string rest = line.substr(start);
        const size_t piece = PieceLength(dc, rest, width);
        PrintPiece(dc, rest.c_str(), static_cast<int>(piece), height, lineHeight, y);
        start += piece;
    }
}

void ReportPrinter::PrintLines(CDC& dc, HWND reportEdit, int width, int height, int lineHeight,
                               int& y) {
    // The edit control does not wrap, so each of its lines is one report line.
    const int count = static_cast<int>(::SendMessageA(reportEdit, EM_GETLINECOUNT, 0, 0));
    // Room for the longest printed line in UTF-8, up to three bytes for each
    // of its characters; what the buffer cuts lies past that line's end.
    constexpr WORD capacity = 3 * kMaxPrintedLineLength;
    for (int i = 0; i < count; ++i) {
        char buffer[capacity + 1] = {};
        memcpy(buffer, &capacity, sizeof(capacity));
        LRESULT copied =
            ::SendMessageA(reportEdit, EM_GETLINE, i, reinterpret_cast<LPARAM>(buffer));
        if (copied < 0 || copied > capacity)
            copied = copied < 0 ? 0 : capacity;
        const std::string line(buffer, static_cast<size_t>(copied));
        PrintLine(dc, FirstCharacters(line, kMaxPrintedLineLength), width, height, lineHeight, y);
    }
}
