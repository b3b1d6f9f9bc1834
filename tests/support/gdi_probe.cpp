// A probe the long-run case loads into the running Veltra.exe: it tells how
// many more GDI objects that process can create (pens are made until the
// system refuses, then deleted again). Wine keeps no per-process count of
// GDI objects (GetGuiResources gives 0); this measure works everywhere.
#include <windows.h>

#include <vector>

extern "C" __declspec(dllexport) DWORD WINAPI FreeGdiSlots(LPVOID) {
    std::vector<HPEN> pens;
    pens.reserve(70000);
    while (pens.size() < 200000) {
        HPEN pen = CreatePen(PS_SOLID, 0, RGB(1, 2, 3));
        if (!pen)
            break;
        pens.push_back(pen);
    }
    for (HPEN pen : pens)
        DeleteObject(pen);
    return static_cast<DWORD>(pens.size());
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
