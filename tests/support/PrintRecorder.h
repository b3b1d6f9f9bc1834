#pragma once
// A print seam for the tests: draws and measures on a real device context,
// records every printed line with its page and position, counts the page and
// document calls, and makes any of them return a chosen result.

#include "PrintCalls.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

struct PrintedLine {
    int page; // 1 for the first page
    int x;
    int y;
    std::string text;
};

class PrintRecorder : public PrintCalls {
public:
    // `dc` is what ChoosePrinter hands out (null: the user cancelled). It is
    // the job's to delete, as a real printer's context would be.
    explicit PrintRecorder(HDC dc) : m_dc(dc) {}

    HDC ChoosePrinter() override { return m_dc; }
    BOOL Attach(CDC& dc, HDC hdc) override;
    int StartDoc(HDC dc, const DOCINFOA& info) override;
    int StartPage(HDC dc) override;
    int EndPage(HDC dc) override;
    int EndDoc(HDC dc) override;
    int AbortDoc(HDC dc) override;
    BOOL CreateTitleFont(CFont& font, int height) override;
    BOOL TextOut(HDC dc, int x, int y, const char* text, int length) override;
    BOOL DeleteDC(CDC& dc) override;
    BOOL DeleteFont(CFont& font) override;

    // Results to return instead of the default success. StartPage and
    // EndPage are keyed by call number, 1 for the first call.
    bool failAttach = false;
    std::optional<int> startDocResult;
    DWORD startDocError = 0; // the last error StartDoc leaves with startDocResult
    std::map<int, int> startPageResults;
    std::map<int, int> endPageResults;
    std::optional<int> endDocResult;
    bool failCreateFont = false;
    bool failDeleteDC = false;
    bool failDeleteFont = false;
    // When set, each call is forwarded to the real context too.
    bool forward = false;

    std::vector<PrintedLine> lines;
    std::vector<std::string> calls; // "StartDoc", "StartPage", ... in order
    std::string docName;
    int titleFontHeight = 0;
    int startPages = 0;
    int endPages = 0;

private:
    HDC m_dc;
    int m_page = 0;
};

// Every line of a recording, joined: what the printout says.
std::string JoinedText(const std::vector<PrintedLine>& lines);
