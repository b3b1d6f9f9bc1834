#pragma once
// The application object: runs the main dialog modally and ends the program
// when it closes.

#include "WinApp.h"

class CVeltraApp : public CWinApp {
public:
    CVeltraApp();
    BOOL InitInstance() override;
};
