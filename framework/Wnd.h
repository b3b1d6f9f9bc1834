#pragma once
// CWnd: a C++ object over a window handle. Messages reach it through
// OnWndMsg (the message map); Default() runs the window's own processing of
// the message being handled.

#include <windows.h>

#include <string>

// The whole text of a window (no length limit).
std::string GetWindowTextString(HWND hwnd);

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Attaches this object to an existing window (a dialog's control) so that
    // it receives the window's messages, through SetWindowSubclass.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(int id, CWnd* parent);
    HWND UnsubclassWindow();
    // Called with m_hWnd set, before the first message is routed here.
    virtual void PreSubclassWindow() {}

    // Thin wrappers over the calls the program makes on its windows.
    void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
    std::string GetWindowText() const { return GetWindowTextString(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    BOOL InvalidateRect(const RECT* rect, BOOL erase = TRUE) {
        return ::InvalidateRect(m_hWnd, rect, erase);
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }

    // Routes one message; true when a handler took it.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // The default processing of the message now being handled.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Runs OnWndMsg for one message with Default() pointing at it, and
    // shields the window procedure from exceptions. False when no handler
    // took the message or a dialog's handler asked for the default processing.
    bool RouteMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool defaultRequested; // set by a dialog's DefWindowProc
    };
    CurrentMessage* m_pCurrent = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR refData);
    bool m_bSubclassed = false;
};
