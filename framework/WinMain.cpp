// The program's entry point: the application object exists already (it is a
// global), so start-up is InitInstance and, if it asks for one, the loop.
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything else: DLLs that Windows loads later (the print and
    // browse dialogs, theming) come from the system folder only, never from
    // the program's own folder, which may be a download folder holding a
    // planted DLL.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    if (!app->InitInstance())
        return 0;
    return app->Run();
}
