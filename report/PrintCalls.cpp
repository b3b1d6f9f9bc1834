#include "PrintCalls.h"

#include "PrintDialog.h"

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
