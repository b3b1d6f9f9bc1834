#pragma once
// Veltra's question before it replaces a file: the file's name and folder,
// both files' sizes and dates, and five answers. DoModal returns the button
// pressed: IDYES (Replace), IDC_REPLACE_ALL, IDNO (Skip), IDC_SKIP_ALL or
// IDCANCEL (Stop Copy, which Escape and the close box give too).

#include "Dialog.h"

#include <string>

class CReplaceDlg : public CDialog {
public:
    explicit CReplaceDlg(CWnd* parent = nullptr);
    ~CReplaceDlg() override = default;

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::string m_strName;     // the file's name
    std::string m_strFolder;   // the destination folder that holds it
    std::string m_strExisting; // size and date of the file there now
    std::string m_strIncoming; // size and date of the file being copied

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    void OnReplace() { EndDialog(IDYES); }
    void OnReplaceAll();
    void OnSkip() { EndDialog(IDNO); }
    void OnSkipAll();
};
