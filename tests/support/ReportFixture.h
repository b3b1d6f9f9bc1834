#pragma once
// What the print tests share: a report edit control holding given lines (on
// a hidden window of the test's thread) and a memory device context.

#include <windows.h>

#include <string>
#include <vector>

class ReportEdit {
public:
    // A multi-line edit that does not wrap, like the main dialog's report.
    explicit ReportEdit(const std::vector<std::string>& lines);
    ~ReportEdit();
    ReportEdit(const ReportEdit&) = delete;
    ReportEdit& operator=(const ReportEdit&) = delete;
    HWND hwnd() const { return m_edit; }

private:
    HWND m_edit;
};

// Width in pixels of `text` in the context's selected font, measured in
// UTF-16 as the printed lines are.
int TextWidthOn(HDC dc, const std::string& text);
// tmHeight + tmExternalLeading of the context's selected font.
int LineHeightOn(HDC dc);
// Report lines "Line 001 ..." of varied width.
std::vector<std::string> NumberedLines(int count);
