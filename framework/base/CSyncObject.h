// Base of the lockable objects that CSingleLock works with.
#pragma once
#include "CObject.h"

class CSyncObject : public CObject {
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCTSTR pstrName) { (void)pstrName; }
    ~CSyncObject() override {
        if (m_hObject != NULL)
            ::CloseHandle(m_hObject);
    }

    operator HANDLE() const { return m_hObject; }
    // TRUE when the object was acquired (or signalled) within dwTimeout milliseconds.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE) {
        DWORD r = ::WaitForSingleObject(m_hObject, dwTimeout);
        return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    }
    virtual BOOL Unlock() = 0;

    HANDLE m_hObject = NULL;
};
