// Counting free GDI slots; built into the test helpers and into the probe
// that is loaded into a running Veltra.exe (gdi_probe.cpp).
#include "ProcessGauge.h"

#include <vector>

int FreeGdiSlots() {
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
    return static_cast<int>(pens.size());
}
