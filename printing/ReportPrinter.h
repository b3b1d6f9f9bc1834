#pragma once
// Printing the report panel as a "Data Migration Report": a two-line header
// on the first page, then every line of the report edit control, one printed
// line per report line, split where it is wider than the page, with a new
// page whenever the next line would not fit. Failures are shown through the
// caller's alert; nothing of a job outlives it.

#include "Gdi.h"
#include "PrintCalls.h"

#include <windows.h>

#include <functional>
#include <string>

// Thrown (value 0) to abandon a print job; the job itself catches it and goes
// straight to its cleanup.
enum print_exceptions { print_job_abandoned = 0 };

using ShowAlertFn = std::function<void(const std::string&)>;

// The longest report line that is printed, in characters; longer lines
// lose the rest.
constexpr int kMaxPrintedLineLength = 499;

class ReportPrinter {
public:
    ReportPrinter(PrintCalls& calls, ShowAlertFn showAlert)
        : m_calls(calls), m_showAlert(std::move(showAlert)) {}

    // The whole job, from the print dialog to the cleanup.
    void Print(HWND reportEdit);

    // Prints every line of the report edit control from `y` on. Throws
    // print_exceptions when a page cannot be ended or started.
    void PrintLines(CDC& dc, HWND reportEdit, int width, int height, int lineHeight, int& y);
    // Prints one line, in pieces narrower than `width` when it is wider.
    void PrintLine(CDC& dc, const std::string& line, int width, int height, int lineHeight, int& y);

    // When a line of height L at y would not end above H: ends the page and
    // starts the next (y = 0). True asks for the job to be abandoned.
    bool BreakPageIfFull(CDC& dc, int& y, int L, int H);
    // Ends the current page; true when that failed.
    bool EndReportPage(CDC& dc);

private:
    // Draws the title (in `titleFont` when one could be created) and the
    // credit line at the top of the page; returns the line height L of the
    // context's own font and sets `y` one empty line below the credit line.
    int PrintHeader(CDC& dc, int width, const CFont& titleFont, int& y);
    void PrintPiece(CDC& dc, const char* text, int length, int height, int lineHeight, int& y);

    PrintCalls& m_calls;
    ShowAlertFn m_showAlert;
};

// Prints the report edit control on the printer the user picks.
void PrintReport(HWND reportEdit, const ShowAlertFn& showAlert);

// The text of an EndPage or EndDoc failure, SP_ERROR and beyond.
const char* PrintFailureReason(int result);
