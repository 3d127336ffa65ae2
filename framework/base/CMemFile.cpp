#include "CMemFile.h"
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() { Abort(); }

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    Abort();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer != NULL ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
    BYTE* p = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return p;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException* pError) {
    // A memory file has no name to open.
    if (pError != NULL)
        pError->m_cause = CFileException::genericException;
    return FALSE;
}

void CMemFile::GrowFile(SIZE_T dwNewLen) {
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0 || !m_bAutoDelete)
        AfxThrowFileException(CFileException::diskFull);
    SIZE_T newSize = m_nBufferSize;
    while (newSize < dwNewLen) {
        if (newSize > (SIZE_T)-1 - m_nGrowBytes)
            AfxThrowMemoryException();
        newSize += m_nGrowBytes;
    }
    BYTE* p = static_cast<BYTE*>(realloc(m_lpBuffer, newSize));
    if (p == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = p;
    m_nBufferSize = newSize;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (m_nPosition >= m_nFileSize || nCount == 0)
        return 0;
    SIZE_T n = m_nFileSize - m_nPosition;
    if (n > nCount)
        n = nCount;
    memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return (UINT)n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0)
        return;
    if (m_nPosition > (SIZE_T)-1 - nCount)
        AfxThrowFileException(CFileException::badSeek);
    SIZE_T end = m_nPosition + nCount;
    GrowFile(end);
    if (m_nPosition > m_nFileSize)  // a seek past the end leaves a gap of zeros
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = end;
    if (end > m_nFileSize)
        m_nFileSize = end;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
    LONGLONG base;
    switch (nFrom) {
    case begin: base = 0; break;
    case current: base = (LONGLONG)m_nPosition; break;
    case end: base = (LONGLONG)m_nFileSize; break;
    default: AfxThrowFileException(CFileException::badSeek);
    }
    LONGLONG pos = base + lOff;
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = (SIZE_T)pos;
    return (ULONGLONG)pos;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
    GrowFile((SIZE_T)dwNewLen);
    if (dwNewLen > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, (SIZE_T)dwNewLen - m_nFileSize);
    if (m_nPosition > dwNewLen)
        m_nPosition = (SIZE_T)dwNewLen;
    m_nFileSize = (SIZE_T)dwNewLen;
}

void CMemFile::Close() { Abort(); }

void CMemFile::Abort() {
    if (m_bAutoDelete)
        free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
}
