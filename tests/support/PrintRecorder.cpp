#include "PrintRecorder.h"

BOOL PrintRecorder::Attach(CDC& dc, HDC hdc) {
    calls.push_back("Attach");
    return failAttach ? FALSE : PrintCalls::Attach(dc, hdc);
}

int PrintRecorder::StartDoc(HDC dc, const DOCINFOA& info) {
    calls.push_back("StartDoc");
    docName = info.lpszDocName ? info.lpszDocName : "";
    const int real = forward ? PrintCalls::StartDoc(dc, info) : 1;
    if (startDocResult)
        ::SetLastError(startDocError);
    return startDocResult.value_or(real);
}

int PrintRecorder::StartPage(HDC dc) {
    calls.push_back("StartPage");
    ++startPages;
    ++m_page;
    const int real = forward ? PrintCalls::StartPage(dc) : 1;
    auto it = startPageResults.find(startPages);
    return it != startPageResults.end() ? it->second : real;
}

int PrintRecorder::EndPage(HDC dc) {
    calls.push_back("EndPage");
    ++endPages;
    const int real = forward ? PrintCalls::EndPage(dc) : 1;
    auto it = endPageResults.find(endPages);
    return it != endPageResults.end() ? it->second : real;
}

int PrintRecorder::EndDoc(HDC dc) {
    calls.push_back("EndDoc");
    const int real = forward ? PrintCalls::EndDoc(dc) : 1;
    return endDocResult.value_or(real);
}

int PrintRecorder::AbortDoc(HDC dc) {
    calls.push_back("AbortDoc");
    return forward ? PrintCalls::AbortDoc(dc) : 1;
}

BOOL PrintRecorder::CreateTitleFont(CFont& font, int height) {
    calls.push_back("CreateTitleFont");
    titleFontHeight = height;
    return failCreateFont ? FALSE : PrintCalls::CreateTitleFont(font, height);
}

BOOL PrintRecorder::TextOut(HDC dc, int x, int y, const char* text, int length) {
    lines.push_back({m_page, x, y, std::string(text, static_cast<size_t>(length))});
    return PrintCalls::TextOut(dc, x, y, text, length);
}

BOOL PrintRecorder::DeleteDC(CDC& dc) {
    calls.push_back("DeleteDC");
    const BOOL deleted = PrintCalls::DeleteDC(dc); // released either way: no leak in tests
    return failDeleteDC ? FALSE : deleted;
}

BOOL PrintRecorder::DeleteFont(CFont& font) {
    calls.push_back("DeleteFont");
    const BOOL deleted = PrintCalls::DeleteFont(font);
    return failDeleteFont ? FALSE : deleted;
}

std::string JoinedText(const std::vector<PrintedLine>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line.text;
    return text;
}
