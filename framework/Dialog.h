#pragma once
// CDialog: a modal dialog run from a template in the program's resources.

#include "DataExchange.h"
#include "MessageMap.h"
#include "Wnd.h"

class CDialog : public CWnd {
public:
    // With no parent, the dialog is owned by the application's main window.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    // Runs the dialog until EndDialog; returns its result, or -1 when the
    // dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }

    // Runs the data exchange into the controls; TRUE lets the dialog manager
    // put the focus on the first control that takes it.
    virtual BOOL OnInitDialog();
    // Data exchange back from the controls, then EndDialog(IDOK).
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void DoDataExchange(CDataExchange*) {}
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    void OnPaint() { Default(); }

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};
