// The page layout of a print job: report lines onto pages, split to the
// page width, with a new page whenever the next line would not fit.

#include "ReportPrinter.h"

#include "FormatText.h"

#include <cstring>

namespace {
int TextWidth(HDC dc, const char* text, int length) {
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, length, &size);
    return size.cx;
}

// The length of the longest start of `text` narrower than `width`, at least
// one character so that a character wider than the page still moves on.
int PieceLength(HDC dc, const char* text, int length, int width) {
    if (TextWidth(dc, text, length) < width)
        return length;
    int piece = 1;
    while (piece < length && TextWidth(dc, text, piece + 1) < width)
        ++piece;
    return piece;
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
    const char* text = line.c_str();
    const int length = static_cast<int>(line.size());
    if (TextWidth(dc, text, length) <= width) {
        PrintPiece(dc, text, length, height, lineHeight, y);
        return;
    }
    for (int start = 0; start < length;) {
        const int piece = PieceLength(dc, text + start, length - start, width);
        PrintPiece(dc, text + start, piece, height, lineHeight, y);
        start += piece;
    }
}

void ReportPrinter::PrintLines(CDC& dc, HWND reportEdit, int width, int height, int lineHeight,
                               int& y) {
    // The edit control does not wrap, so each of its lines is one report line.
    const int count = static_cast<int>(::SendMessageA(reportEdit, EM_GETLINECOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[kMaxPrintedLineLength + 1] = {};
        const WORD capacity = kMaxPrintedLineLength;
        memcpy(buffer, &capacity, sizeof(capacity));
        LRESULT copied =
            ::SendMessageA(reportEdit, EM_GETLINE, i, reinterpret_cast<LPARAM>(buffer));
        if (copied < 0 || copied > kMaxPrintedLineLength)
            copied = copied < 0 ? 0 : kMaxPrintedLineLength;
        PrintLine(dc, std::string(buffer, static_cast<size_t>(copied)), width, height, lineHeight,
                  y);
    }
}
