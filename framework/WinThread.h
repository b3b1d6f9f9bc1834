#pragma once
// Worker threads. A CWinThread deletes itself (and closes its handle) when
// its controlling function returns, so its pointer and m_hThread are valid
// only while the thread runs. Whoever must wait for the thread asks
// AfxBeginThread for a duplicate of the handle, made before the thread runs.

#include "Handle.h"

#include <windows.h>

#include <functional>

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread {
public:
    CWinThread(AFX_THREADPROC proc, LPVOID param) : m_pfnThreadProc(proc), m_pThreadParams(param) {}
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    virtual ~CWinThread();

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    bool m_bAutoDelete = true;

    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }

private:
    friend CWinThread* AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD,
                                      LPSECURITY_ATTRIBUTES, OwnedHandle*);
    static unsigned __stdcall Start(void* self);

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

// Starts proc(param) on a new thread. Returns null when no thread could be
// created. When waitHandle is given it receives a handle of the thread that
// stays valid after the thread object has deleted itself.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param,
                           int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                           DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = nullptr,
                           OwnedHandle* waitHandle = nullptr);

// Waits until `thread` has ended, however long that takes, handling this
// thread's messages meanwhile (sent ones included), so that a thread blocked
// in SendMessage to one of our windows can go on. Every `interval_ms`
// without an end, `still_waiting` is told how long the wait has lasted.
// False only when the wait itself failed.
bool WaitForThreadServingMessages(HANDLE thread, DWORD interval_ms,
                                  const std::function<void(DWORD waited_ms)>& still_waiting);
