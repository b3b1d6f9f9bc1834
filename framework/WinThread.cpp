#include "WinThread.h"

#include <process.h>

CWinThread::~CWinThread() {
    if (m_hThread) {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
    }
}

unsigned __stdcall CWinThread::Start(void* self) {
    auto* thread = static_cast<CWinThread*>(self);
    return thread->m_pfnThreadProc(thread->m_pThreadParams);
}

std::unique_ptr<CWinThread> AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority,
                                           UINT stackSize, DWORD createFlags,
                                           LPSECURITY_ATTRIBUTES security) {
    auto thread = std::make_unique<CWinThread>(proc, param);
    // Created suspended so that the priority is in place before it runs.
    unsigned id = 0;
    auto handle = reinterpret_cast<HANDLE>(_beginthreadex(
        security, stackSize, &CWinThread::Start, thread.get(), createFlags | CREATE_SUSPENDED, &id));
    if (!handle)
        return nullptr;
    thread->m_hThread = handle;
    thread->m_nThreadID = id;
    thread->SetThreadPriority(priority);
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
