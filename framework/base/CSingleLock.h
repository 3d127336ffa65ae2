// Holds one CSyncObject for a scope: unlocks in its destructor if it still holds it.
#pragma once
#include "CSyncObject.h"
#include "CException.h"

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE) : m_pObject(pObject) {
        if (pObject == NULL)
            AfxThrowInvalidArgException();
        if (bInitialLock)
            Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD dwTimeOut = INFINITE) {
        if (m_bAcquired)
            return TRUE;  // already held by this lock object
        m_bAcquired = m_pObject->Lock(dwTimeOut);
        return m_bAcquired;
    }
    BOOL Unlock() {
        if (m_bAcquired)
            m_bAcquired = !m_pObject->Unlock();
        return !m_bAcquired;
    }
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired = FALSE;
};
