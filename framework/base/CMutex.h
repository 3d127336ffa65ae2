// A Win32 mutex, optionally named (shared with other processes of the same prefix).
#pragma once
#include "CSyncObject.h"

class CMutex : public CSyncObject {
    DECLARE_DYNAMIC(CMutex)
public:
    // Throws CResourceException when the mutex cannot be created.
    explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = NULL,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    BOOL Unlock() override { return ::ReleaseMutex(m_hObject); }
};
