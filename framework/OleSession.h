#pragma once
// COM for the interface thread. The shell's folder browser in its new
// dialog style and the shell's launchers want an apartment-threaded COM on
// the thread that calls them; Windows may otherwise show an empty browse
// dialog. One OleSession lives as long as that thread's dialogs and releases
// what it initialised.

#include <windows.h>

#include <ole2.h>

class OleSession {
public:
    OleSession() : m_initialised(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleSession() {
        if (m_initialised)
            ::OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

    // False when the thread already had COM in another threading model.
    bool initialised() const { return m_initialised; }

private:
    bool m_initialised;
};
