// A probe the long-run case loads into the running Veltra.exe: run on a
// thread of that process, it tells how many more GDI objects the process
// can create.
#include "ProcessGauge.h"

extern "C" __declspec(dllexport) DWORD WINAPI FreeGdiSlotsThread(LPVOID) {
    return static_cast<DWORD>(FreeGdiSlots());
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
