// A re-entrant lock for the threads of one process.
#pragma once
#include "CSyncObject.h"

class CCriticalSection : public CSyncObject {
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection() : CSyncObject(NULL) { ::InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() override { ::DeleteCriticalSection(&m_sect); }

    operator CRITICAL_SECTION*() { return &m_sect; }
    BOOL Lock() { ::EnterCriticalSection(&m_sect); return TRUE; }
    // A critical section has no time-out: it waits.
    BOOL Lock(DWORD) override { return Lock(); }
    BOOL Unlock() override { ::LeaveCriticalSection(&m_sect); return TRUE; }

    CRITICAL_SECTION m_sect;
};
