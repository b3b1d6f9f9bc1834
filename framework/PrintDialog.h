#pragma once
// CPrintDialog: the system print dialog (PrintDlgA) run modally. With
// PD_RETURNDC the chosen printer's device context comes back in m_pd.hDC;
// that context belongs to the caller, who deletes it.

#include "Wnd.h"

#include <windows.h>

#include <commdlg.h>

class CPrintDialog {
public:
    // With no parent, the dialog is owned by the application's main window.
    explicit CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags = PD_RETURNDC,
                          CWnd* pParentWnd = nullptr);
    virtual ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // IDOK when the user accepted the dialog, IDCANCEL otherwise (cancelled,
    // no printer, or the dialog failed: CommDlgExtendedError tells which).
    virtual INT_PTR DoModal();
    // The device context of the accepted printer, or null.
    HDC GetPrinterDC() const { return m_pd.hDC; }

    PRINTDLGA m_pd{};

private:
    CWnd* m_pParentWnd;
};
