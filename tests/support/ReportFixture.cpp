#include "ReportFixture.h"

#include "AnsiText.h"
#include "FormatText.h"

ReportEdit::ReportEdit(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r\n" : "") + lines[i];
    m_edit = ::CreateWindowExA(0, "EDIT", "",
                               WS_POPUP | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                                   WS_HSCROLL | WS_VSCROLL,
                               0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ::SendMessageA(m_edit, EM_LIMITTEXT, 0, 0);
    ::SetWindowTextA(m_edit, text.c_str());
}

ReportEdit::~ReportEdit() {
    ::DestroyWindow(m_edit);
}

int TextWidthOn(HDC dc, const std::string& text) {
    const std::wstring wide = WideFromAnsi(text);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

int LineHeightOn(HDC dc) {
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

std::vector<std::string> NumberedLines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back(FormatText("Line %03d %s", i, std::string(i % 40, 'w').c_str()));
    return lines;
}
