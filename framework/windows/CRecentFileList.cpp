#include "CRecentFileList.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen), m_nSize(nSize > 0 ? nSize : 0)
{
    m_arrNames.SetSize(m_nSize);
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (m_nSize == 0 || lpszPathName == NULL || *lpszPathName == '\0')
        return;
    int nFound = m_nSize - 1;
    for (int i = 0; i < m_nSize; i++)
        if (m_arrNames[i].CompareNoCase(lpszPathName) == 0) {
            nFound = i;
            break;
        }
    for (int i = nFound; i > 0; i--)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = lpszPathName;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; i++)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir, BOOL) const
{
    strName.Empty();
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& strPath = m_arrNames[nIndex];
    strName = strPath;
    if (lpszCurDir != NULL && nCurDir > 0) {
        CString strDir(lpszCurDir, nCurDir);
        if (!strDir.IsEmpty() && strDir[strDir.GetLength() - 1] != '\\')
            strDir += '\\';
        // only a file directly in the current folder loses its folder
        if (strPath.GetLength() > strDir.GetLength() && strPath.Left(strDir.GetLength()).CompareNoCase(strDir) == 0 &&
            strPath.Mid(strDir.GetLength()).Find('\\') < 0)
            strName = strPath.Mid(strDir.GetLength());
    }
    return TRUE;
}
