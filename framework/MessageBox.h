#pragma once
// The application's standard message box and its title.

#include <windows.h>

#include <string>

// The program file's name without its extension ("Veltra" for Veltra.exe).
std::string AfxGetAppTitle();

// A system message box owned by the application's main window (when there is
// one), captioned with the application title. Returns the button pressed.
int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT helpContext = 0);
