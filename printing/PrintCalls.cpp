#include "PrintCalls.h"

#include "AnsiText.h"
#include "PrintDialog.h"

#include <string>

HDC PrintCalls::ChoosePrinter() {
    // The Print form (not Print Setup), owned by the main window; only the
    // device context is read, not the page range, copies or print-to-file.
    CPrintDialog dialog(FALSE, PD_RETURNDC);
    dialog.DoModal();
    return dialog.GetPrinterDC();
}

BOOL PrintCalls::CreateTitleFont(CFont& font, int height) {
    return font.CreateFont(height, 0, 0, 0, FW_THIN, FALSE, TRUE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "Serif Sans MS");
}

BOOL PrintCalls::TextOut(HDC dc, int x, int y, const char* text, int length) {
    const std::wstring wide = WideFromAnsi(std::string(text, static_cast<size_t>(length)));
    return ::TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}
