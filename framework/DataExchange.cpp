#include "DataExchange.h"

#include "Wnd.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd)
        return; // attached by an earlier exchange
    control.SubclassWindow(dx->m_pDlgWnd->GetDlgItem(id));
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
    HWND item = dx->m_pDlgWnd->GetDlgItem(id);
    if (!item)
        return;
    if (dx->m_bSaveAndValidate) {
        value = GetWindowTextString(item);
    } else {
        SetWindowTextA(item, value.c_str());
    }
}
