#pragma once
// Helpers of the trust cases that drive the real Veltra.exe: starting a copy
// from the dialog, waiting for it, and looking at the program's process from
// outside (handles, memory, how fast its window answers).

#include "UiDriver.h"

#include <string>

void StartCopyFromDialog(VeltraProcess& app, const std::string& source,
                         const std::string& destination);
bool WaitForCopyComplete(VeltraProcess& app, DWORD ms);

// How long the window took to answer WM_GETTEXT, in milliseconds, and its
// text; -1 when it did not answer within `limit_ms`.
double TimedText(HWND window, std::string* text, UINT limit_ms = 10000);

struct ProcessGauge {
    DWORD handles = 0;
    SIZE_T working_set = 0;
    SIZE_T peak_working_set = 0;
    SIZE_T private_bytes = 0;
};
ProcessGauge GaugeProcess(DWORD pid);

// How many more GDI objects the process `pid` can create now, measured by a
// probe loaded into it; -1 when the probe could not run there.
int FreeGdiSlotsOf(DWORD pid);

// Runs `command` on the Unix side (through /bin/sh) and waits up to
// `timeout_ms` for it to end; true on exit status 0.
bool RunUnix(const std::string& command, DWORD timeout_ms = 120000);
// The Unix path of a Windows path.
std::string UnixPathOf(const std::string& windowsPath);
// The folder of the trust tests' scripts, as a Unix path.
std::string TrustScriptFolder();
