#pragma once
// The application object. Exactly one exists, as a global of the program;
// the framework's WinMain calls its InitInstance and, when that returns
// TRUE, its Run.

#include "Wnd.h"

#include <windows.h>

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return FALSE; }
    // A plain message loop, for programs that keep running after InitInstance.
    virtual int Run();
    // The standard help command; this framework has no WinHelp file to show.
    void OnHelp() {}

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    const char* m_pszAppName = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// No dialog of ours hosts ActiveX controls; kept so that start-up reads as
// the program was designed, and it initialises the common controls.
void AfxEnableControlContainer();
