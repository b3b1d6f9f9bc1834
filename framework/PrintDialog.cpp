#include "PrintDialog.h"

#include "WinApp.h"

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd) {
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() {
    // The printer choice the dialog allocated; the device context is the
    // caller's and stays.
    if (m_pd.hDevMode)
        GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames)
        GlobalFree(m_pd.hDevNames);
}

INT_PTR CPrintDialog::DoModal() {
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
            owner = app->m_pMainWnd->GetSafeHwnd();
    }
    m_pd.hwndOwner = owner;
    return PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
}
