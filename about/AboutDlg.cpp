#include "AboutDlg.h"

#include "Website.h"
#include "resource.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_LICENSE_TEXT, m_licenseText);
    DDX_Text(dx, IDC_USAGE_TEXT, m_usageText);
}

bool CAboutDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using Entry = MessageMapEntry<CAboutDlg>;
    static const Entry map[] = {
        Entry::Command(IDC_ABOUT_WEBSITE, &CAboutDlg::OnWebsite),
    };
    return DispatchMessageMap<CAboutDlg>(this, map, message, wParam, lParam, result) ||
           CDialog::OnWndMsg(message, wParam, lParam, result);
}

void CAboutDlg::OnWebsite() {
    OpenWebsite();
}
