#include "CFile.h"
#include <cstring>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();  // a destructor must not throw
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    if (pError != NULL)
        pError->Clear();
    if (m_hFile != hFileNull || lpszFileName == NULL) {
        if (pError != NULL) {
            pError->m_cause = CFileException::genericException;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_strFileName = lpszFileName;

    DWORD access;
    switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default:
        if (pError != NULL) {
            pError->m_cause = CFileException::genericException;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    DWORD share;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;  // compatibility mode and exclusive
    }
    DWORD creation;
    if (nOpenFlags & modeCreate)
        creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        creation = OPEN_EXISTING;
    SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};

    HANDLE h = ::CreateFileA(lpszFileName, access, share, &sa, creation, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD err = ::GetLastError();
        if (pError != NULL) {
            pError->m_lOsError = (LONG)err;
            pError->m_cause = CFileException::OsErrorToException((LONG)err);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CFile::ThrowLastError() const {
    DWORD err = ::GetLastError();
    AfxThrowFileException(CFileException::OsErrorToException((LONG)err), (LONG)err, m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0)
        return 0;
    DWORD got = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &got, NULL))
        ThrowLastError();
    return (UINT)got;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0)
        return;
    DWORD written = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &written, NULL))
        ThrowLastError();
    if (written != nCount)  // a short write on a disk file means the disk is full
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    LARGE_INTEGER distance, result;
    distance.QuadPart = lOff;
    if (nFrom > end || !::SetFilePointerEx(m_hFile, distance, &result, nFrom))
        ThrowLastError();
    return (ULONGLONG)result.QuadPart;
}

ULONGLONG CFile::GetPosition() const {
    LARGE_INTEGER zero, result;
    zero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, zero, &result, FILE_CURRENT))
        ThrowLastError();
    return (ULONGLONG)result.QuadPart;
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return (ULONGLONG)size.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen) {
    ULONGLONG pos = GetPosition();
    Seek((LONGLONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError();
    if (pos < dwNewLen)
        Seek((LONGLONG)pos, begin);
}

void CFile::Flush() {
    if (m_hFile != hFileNull && !::FlushFileBuffers(m_hFile))
        ThrowLastError();
}

void CFile::Close() {
    BOOL ok = TRUE;
    if (m_hFile != hFileNull)
        ok = ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (!ok)
        ThrowLastError();
}

void CFile::Abort() {
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const {
    int slash = -1;
    for (int i = 0; i < m_strFileName.GetLength(); ++i)
        if (m_strFileName[i] == '\\' || m_strFileName[i] == '/' || m_strFileName[i] == ':')
            slash = i;
    return m_strFileName.Mid(slash + 1);
}
