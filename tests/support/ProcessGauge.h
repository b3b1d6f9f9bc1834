#pragma once
// Looking at a running program from outside: how fast its window answers,
// its handles and memory, and how many more GDI objects it may create.

#include <windows.h>

#include <string>

// How long `window` took to answer WM_GETTEXT, in milliseconds, and its
// text; -1 when it did not answer within `limitMs`.
double TimedText(HWND window, std::string* text, UINT limitMs = 10000);

struct ProcessGauge {
    DWORD handles = 0;
    SIZE_T working_set = 0;
    SIZE_T peak_working_set = 0;
    SIZE_T private_bytes = 0;
};
ProcessGauge GaugeProcess(DWORD pid);

// The number of threads this process runs now.
int ThreadCount();

// How many more GDI objects this process can create now: pens are made until
// the system refuses, then all deleted again. Wine keeps no count of a
// process's objects (GetGuiResources gives 0); this measure works on both.
int FreeGdiSlots();
// The same, measured inside the process `pid` by a probe loaded into it;
// -1 when the probe could not run there.
int FreeGdiSlotsOf(DWORD pid);
