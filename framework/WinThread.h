#pragma once
// Worker threads, owned by whoever starts them. AfxBeginThread returns the
// owner: it holds the thread's handle, and its destructor waits for the
// thread to end before it closes the handle, so that nothing the thread
// uses can go first. Destroy it only where the thread cannot be waiting for
// the destroying one.

#include <windows.h>

#include <functional>
#include <memory>

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread {
public:
    CWinThread(AFX_THREADPROC proc, LPVOID param) : m_pfnThreadProc(proc), m_pThreadParams(param) {}
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    // Waits for the thread to end, then closes its handle.
    virtual ~CWinThread();

    HANDLE m_hThread = nullptr; // owned; valid as long as this object
    DWORD m_nThreadID = 0;

    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }

private:
    friend std::unique_ptr<CWinThread> AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD,
                                                      LPSECURITY_ATTRIBUTES);
    static unsigned __stdcall Start(void* self);

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

// Starts proc(param) on a new thread and returns its owner, or null when no
// thread could be created. createFlags may hold CREATE_SUSPENDED and
// STACK_SIZE_PARAM_IS_A_RESERVATION.
std::unique_ptr<CWinThread> AfxBeginThread(AFX_THREADPROC proc, LPVOID param,
                                           int priority = THREAD_PRIORITY_NORMAL,
                                           UINT stackSize = 0, DWORD createFlags = 0,
                                           LPSECURITY_ATTRIBUTES security = nullptr);

// Waits until `thread` has ended, however long that takes, handling this
// thread's messages meanwhile (sent ones included), so that a thread blocked
// in SendMessage to one of our windows can go on. Every `interval_ms`
// without an end, `still_waiting` is told how long the wait has lasted.
// False only when the wait itself failed.
bool WaitForThreadServingMessages(HANDLE thread, DWORD interval_ms,
                                  const std::function<void(DWORD waited_ms)>& still_waiting);
