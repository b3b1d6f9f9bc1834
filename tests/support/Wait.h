#pragma once
// Waiting on a condition the program shows, with a generous limit.

#include <windows.h>

// Polls `condition` every `pollMs` until it holds or `ms` pass; returns its
// last value.
template <class F> bool WaitUntil(F condition, DWORD ms = 20000, DWORD pollMs = 20) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > ms)
            return condition();
        Sleep(pollMs);
    }
}
