#include "VeltraApp.h"

#include "VeltraDlg.h"

// The one application object, constructed before the entry point runs.
CVeltraApp theApp;

CVeltraApp::CVeltraApp() : CWinApp(nullptr) {}

BOOL CVeltraApp::InitInstance() {
    AfxEnableControlContainer();

    CVeltraDlg dlg(nullptr);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // No message loop of our own: the program ends with the dialog.
    return FALSE;
}
