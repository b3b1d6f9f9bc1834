#pragma once
// Veltra's own message box: an icon, the message, OK and Help. Help carries
// the cancel identifier, so DoModal's IDCANCEL (Help, Escape, the close box)
// tells the caller to open the help page.

#include "Dialog.h"

#include <string>

class CAlertDlg : public CDialog {
public:
    explicit CAlertDlg(CWnd* parent = nullptr);
    ~CAlertDlg() override = default;

    std::string m_strMessage;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
