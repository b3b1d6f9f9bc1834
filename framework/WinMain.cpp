// The program's entry point: the application object exists already (it is a
// global), so start-up is InitInstance and, if it asks for one, the loop.
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    if (!app->InitInstance())
        return 0;
    return app->Run();
}
