#pragma once
// The calls a print job makes on the printer, behind one narrow interface.
// The default forwards each to Win32 (and the print dialog); a test replaces
// one to make a printer call fail in a way a real printer cannot be made to,
// or to record where each line went. Measuring (GetDeviceCaps,
// GetTextMetricsA, GetTextExtentPoint32W) always goes to the real context.

#include "Gdi.h"

#include <windows.h>

class PrintCalls {
public:
    virtual ~PrintCalls() = default;

    // Shows the system print dialog; the chosen printer's device context
    // (the caller's to delete), or null when the user cancelled or there is
    // no printer.
    virtual HDC ChoosePrinter();
    virtual BOOL Attach(CDC& dc, HDC hdc) { return dc.Attach(hdc); }
    virtual int StartDoc(HDC dc, const DOCINFOA& info) { return ::StartDocA(dc, &info); }
    virtual int StartPage(HDC dc) { return ::StartPage(dc); }
    virtual int EndPage(HDC dc) { return ::EndPage(dc); }
    virtual int EndDoc(HDC dc) { return ::EndDoc(dc); }
    virtual int AbortDoc(HDC dc) { return ::AbortDoc(dc); }
    // The title font: FW_THIN, underlined, of character height -height.
    virtual BOOL CreateTitleFont(CFont& font, int height);
    // `text` is in the process's code page; it is drawn in UTF-16, since the
    // 8-bit call would read it in the code page of the font's character set
    // (Windows-1252 for a printer's own font), which under UTF-8 garbles
    // every character beyond ASCII.
    virtual BOOL TextOut(HDC dc, int x, int y, const char* text, int length);
    virtual BOOL DeleteDC(CDC& dc) { return dc.DeleteDC(); }
    virtual BOOL DeleteFont(CFont& font) { return font.DeleteObject(); }
};
