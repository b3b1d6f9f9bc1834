#pragma once
// The About dialog: icon, version, the maker's notice and web-site button,
// and two read-only panes for the usage note and the licence agreement. The
// panes show whatever m_usageText and m_licenseText hold when it opens.

#include "Dialog.h"

#include <string>

class CAboutDlg : public CDialog {
public:
    // With no parent, the dialog is owned by the application's main window.
    explicit CAboutDlg(CWnd* parent = nullptr);
    ~CAboutDlg() override = default;

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::string m_licenseText; // the licence pane
    std::string m_usageText;   // the usage pane

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    void OnWebsite();
};
