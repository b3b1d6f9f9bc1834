#pragma once
// A lock over a Windows critical section. The destructor only deletes the
// section: it never releases a lock that another thread may hold.

#include <windows.h>

class CCriticalSection {
public:
    CCriticalSection() { InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() { DeleteCriticalSection(&m_sect); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    // Waits without time limit; always succeeds.
    BOOL Lock() {
        EnterCriticalSection(&m_sect);
        return TRUE;
    }
    BOOL Unlock() {
        LeaveCriticalSection(&m_sect);
        return TRUE;
    }

private:
    CRITICAL_SECTION m_sect;
};

// Holds a CCriticalSection for one scope.
class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection& lock) : m_lock(lock) { m_lock.Lock(); }
    ~CSingleLock() { m_lock.Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

private:
    CCriticalSection& m_lock;
};
