#pragma once
// Data exchange between a dialog's controls and its members.

#include <windows.h>

#include <string>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate; // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;
};

// Attaches `control` to the dialog's control `id` (once), subclassing it so
// that the object receives the control's messages.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Moves text between control `id` and `value`.
void DDX_Text(CDataExchange* dx, int id, std::string& value);
