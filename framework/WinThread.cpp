#include "WinThread.h"

#include <process.h>

CWinThread::~CWinThread() {
    if (m_hThread)
        CloseHandle(m_hThread);
}

unsigned __stdcall CWinThread::Start(void* self) {
    auto* thread = static_cast<CWinThread*>(self);
    UINT result = thread->m_pfnThreadProc(thread->m_pThreadParams);
    if (thread->m_bAutoDelete)
        delete thread;
    return result;
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize,
                           DWORD createFlags, LPSECURITY_ATTRIBUTES security,
                           OwnedHandle* waitHandle) {
    auto* thread = new CWinThread(proc, param);
    // Created suspended so that priority and the duplicate handle are in
    // place before the thread can run (and delete itself).
    unsigned id = 0;
    auto handle = reinterpret_cast<HANDLE>(
        _beginthreadex(security, stackSize, &CWinThread::Start, thread,
                       createFlags | CREATE_SUSPENDED, &id));
    if (!handle) {
        delete thread;
        return nullptr;
    }
    thread->m_hThread = handle;
    thread->m_nThreadID = id;
    thread->SetThreadPriority(priority);
    if (waitHandle) {
        HANDLE dup = nullptr;
        DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &dup, SYNCHRONIZE, FALSE,
                        0);
        waitHandle->reset(dup);
    }
    if (!(createFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}

bool WaitForThreadServingMessages(HANDLE thread, DWORD interval_ms,
                                  const std::function<void(DWORD waited_ms)>& still_waiting) {
    const DWORD start = GetTickCount();
    DWORD told = start;
    for (;;) {
        DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, interval_ms, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke == WAIT_OBJECT_0 + 1) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        } else if (woke != WAIT_TIMEOUT) {
            return false;
        }
        DWORD now = GetTickCount();
        if (now - told >= interval_ms) {
            told = now;
            if (still_waiting)
                still_waiting(now - start);
        }
    }
}
