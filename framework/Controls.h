#pragma once
// The standard controls the program uses, as thin CWnd wrappers.

#include "Wnd.h"

class CStatic : public CWnd {
public:
    // Creates a child window of the system class "STATIC".
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
};

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)); }
};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end) { ::SendMessageA(m_hWnd, EM_SETSEL, start, end); }
    void ReplaceSel(const std::string& text, BOOL canUndo = FALSE) {
        ::SendMessageA(m_hWnd, EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void ScrollCaret() { ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) {
        return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_SETREADONLY, readOnly, 0));
    }
};
