#include "Controls.h"

#include "WinApp.h"

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    HWND hwnd = CreateWindowExA(0, "STATIC", text, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top,
                                parent ? parent->m_hWnd : nullptr,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                AfxGetInstanceHandle(), nullptr);
    if (!hwnd)
        return FALSE;
    return SubclassWindow(hwnd);
}
