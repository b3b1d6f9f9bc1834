#include "AlertDlg.h"

#include "resource.h"

CAlertDlg::CAlertDlg(CWnd* parent) : CDialog(IDD_ALERT, parent) {}

void CAlertDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_ALERT_MESSAGE, m_strMessage);
}
