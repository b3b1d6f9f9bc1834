#include "ReplaceDlg.h"

#include "resource.h"

CReplaceDlg::CReplaceDlg(CWnd* parent) : CDialog(IDD_REPLACE_QUESTION, parent) {}

void CReplaceDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_REPLACE_NAME, m_strName);
    DDX_Text(dx, IDC_REPLACE_FOLDER, m_strFolder);
    DDX_Text(dx, IDC_REPLACE_EXISTING, m_strExisting);
    DDX_Text(dx, IDC_REPLACE_INCOMING, m_strIncoming);
}

bool CReplaceDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using Entry = MessageMapEntry<CReplaceDlg>;
    static const Entry map[] = {
        Entry::Command(IDYES, &CReplaceDlg::OnReplace),
        Entry::Command(IDC_REPLACE_ALL, &CReplaceDlg::OnReplaceAll),
        Entry::Command(IDNO, &CReplaceDlg::OnSkip),
        Entry::Command(IDC_SKIP_ALL, &CReplaceDlg::OnSkipAll),
    };
    return DispatchMessageMap<CReplaceDlg>(this, map, message, wParam, lParam, result) ||
           CDialog::OnWndMsg(message, wParam, lParam, result);
}

void CReplaceDlg::OnReplaceAll() {
    EndDialog(IDC_REPLACE_ALL);
}

void CReplaceDlg::OnSkipAll() {
    EndDialog(IDC_SKIP_ALL);
}
