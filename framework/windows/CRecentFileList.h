// The application's list of recently used files (most recent first), shown in the File menu in
// place of the framework's recent-file command ids. Only what menus read of it and what fills
// it: nothing here reads or writes the registry.
#pragma once
#include <afx.h>

class CRecentFileList {
public:
    // nStart: the first command id's offset (kept for callers); nSize: how many entries it keeps.
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen = 0);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_nSize; }
    // The path of entry nIndex (0-based); empty for an unused entry.
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // Puts the path first (an entry with the same path moves up; the last one drops out).
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The name shown for entry nIndex: the path relative to lpszCurDir when it lies in that
    // folder (just the file name), else the whole path; with bAtLeastName a path in the current
    // folder keeps at least its file name. FALSE for an unused entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;

private:
    int m_nSize;
    CStringArray m_arrNames;
};
