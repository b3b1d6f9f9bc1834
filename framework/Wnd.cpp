#include "Wnd.h"

#include <commctrl.h>

#include <utility>

namespace {
constexpr UINT_PTR kSubclassId = 0x5645; // one subclass of ours per window
}

CWnd::~CWnd() {
    if (m_bSubclassed && m_hWnd)
        UnsubclassWindow();
}

std::string GetWindowTextString(HWND hwnd) {
    // The length is an estimate when the window keeps its text in UTF-16;
    // a text that fills the buffer may have been cut, so it is read again
    // into a larger one.
    int size = GetWindowTextLengthA(hwnd) + 1;
    for (;;) {
        std::string text(static_cast<size_t>(size), '\0');
        int copied = GetWindowTextA(hwnd, text.data(), size);
        if (copied <= 0 || copied < size - 1 || size >= (1 << 30)) {
            text.resize(static_cast<size_t>(copied < 0 ? 0 : copied));
            return text;
        }
        size *= 2;
    }
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd)
        return FALSE;
    m_hWnd = hwnd;
    PreSubclassWindow();
    if (!SetWindowSubclass(hwnd, &CWnd::SubclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
        m_hWnd = nullptr;
        return FALSE;
    }
    m_bSubclassed = true;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(int id, CWnd* parent) {
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow() {
    if (m_bSubclassed)
        RemoveWindowSubclass(m_hWnd, &CWnd::SubclassProc, kSubclassId);
    m_bSubclassed = false;
    return std::exchange(m_hWnd, nullptr);
}

bool CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT CWnd::Default() {
    if (!m_pCurrent)
        return 0;
    return DefWindowProc(m_pCurrent->message, m_pCurrent->wParam, m_pCurrent->lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_bSubclassed)
        return DefSubclassProc(m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

bool CWnd::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    CurrentMessage current{message, wParam, lParam, false};
    CurrentMessage* outer = std::exchange(m_pCurrent, &current);
    bool handled = false;
    try {
        handled = OnWndMsg(message, wParam, lParam, result);
    } catch (...) {
        // No exception may unwind through the system's window procedure.
        OutputDebugStringA("Veltra: exception stopped at a window procedure\n");
        handled = false;
    }
    m_pCurrent = outer;
    return handled && !current.defaultRequested;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR refData) {
    auto* self = reinterpret_cast<CWnd*>(refData);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &CWnd::SubclassProc, kSubclassId);
        self->m_bSubclassed = false;
        self->m_hWnd = nullptr;
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (self->RouteMessage(message, wParam, lParam, result))
        return result;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
