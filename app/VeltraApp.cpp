#include "VeltraApp.h"

#include "OleSession.h"
#include "VeltraDlg.h"

// The one application object, constructed before the entry point runs.
CVeltraApp theApp;

CVeltraApp::CVeltraApp() : CWinApp(nullptr) {}

BOOL CVeltraApp::InitInstance() {
    // Before any dialog, released after the last one (declared first, so
    // it ends after the dialog).
    OleSession ole;
    AfxEnableControlContainer();

    CVeltraDlg dlg(nullptr);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // No message loop of our own: the program ends with the dialog.
    return FALSE;
}
