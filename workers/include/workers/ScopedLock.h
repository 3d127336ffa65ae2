// Holds a critical section for one block, so no early return can leave it entered.
#pragma once

#include <windows.h>

class ScopedLock {
public:
    explicit ScopedLock(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
    ~ScopedLock() { LeaveCriticalSection(&lock_); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    CRITICAL_SECTION& lock_;
};
