// A company key of its own under HKEY_CURRENT_USER\Software for one test program run, removed
// with everything below it when the test ends.
#pragma once
#include <afx.h>
#include "ExtRegistryArchive.h"

class TestRegistryKey {
public:
    TestRegistryKey()
    {
        m_company.Format("OrvaneTest-%u-%u", (unsigned)::GetCurrentProcessId(), (unsigned)::GetTickCount());
        m_root.Format("Software\\%s", (LPCTSTR)m_company);
    }
    ~TestRegistryKey()
    {
        HKEY h = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, m_root, 0, KEY_READ | KEY_WRITE, &h) == ERROR_SUCCESS) {
            RegistryDeleteSubKeys(h);
            ::RegCloseKey(h);
        }
        ::RegDeleteKeyA(HKEY_CURRENT_USER, m_root);
    }
    const CString& company() const { return m_company; }
    bool exists() const
    {
        HKEY h = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, m_root, 0, KEY_READ, &h) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(h);
        return true;
    }

private:
    CString m_company, m_root;
};
