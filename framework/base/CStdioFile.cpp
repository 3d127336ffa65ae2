#include "CStdioFile.h"
#include <cstring>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {
const UINT kReadAheadSize = 4096;
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    m_readAhead.clear();
    m_readPos = 0;
    m_bText = (nOpenFlags & typeBinary) == 0;
    return CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError);
}

int CStdioFile::GetByte() {
    if (m_readPos >= m_readAhead.size()) {
        m_readAhead.resize(kReadAheadSize);
        m_readPos = 0;
        UINT got = CFile::Read(&m_readAhead[0], kReadAheadSize);
        m_readAhead.resize(got);
        if (got == 0)
            return -1;
    }
    return (unsigned char)m_readAhead[m_readPos++];
}

void CStdioFile::DropReadAhead() {
    size_t unread = m_readAhead.size() - m_readPos;
    m_readAhead.clear();
    m_readPos = 0;
    if (unread > 0)
        CFile::Seek(-(LONGLONG)unread, current);
}

BOOL CStdioFile::ReadString(CString& rString) {
    std::string line;
    int c;
    bool any = false;
    while ((c = GetByte()) != -1) {
        any = true;
        if (c == '\n')
            break;
        line.push_back((char)c);
    }
    if (m_bText && c == '\n' && !line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(line);
    return any;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax) {
    if (lpsz == NULL || nMax == 0)
        return NULL;
    UINT n = 0;
    int c = -1;
    while (n + 1 < nMax && (c = GetByte()) != -1) {
        if (c == '\n' && m_bText && n > 0 && lpsz[n - 1] == '\r')
            --n;  // CR LF reads as LF
        lpsz[n++] = (char)c;
        if (c == '\n')
            break;
    }
    lpsz[n] = '\0';
    return n == 0 && c == -1 ? NULL : lpsz;
}

void CStdioFile::WriteString(LPCTSTR lpsz) {
    if (lpsz == NULL)
        return;
    if (!m_bText) {
        Write(lpsz, (UINT)strlen(lpsz));
        return;
    }
    std::string out;
    for (const char* p = lpsz; *p; ++p) {
        if (*p == '\n' && (p == lpsz || p[-1] != '\r'))
            out.push_back('\r');
        out.push_back(*p);
    }
    Write(out.data(), (UINT)out.size());
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
    UINT fromBuffer = 0;
    size_t unread = m_readAhead.size() - m_readPos;
    if (unread > 0) {
        fromBuffer = (UINT)(unread < nCount ? unread : nCount);
        memcpy(lpBuf, m_readAhead.data() + m_readPos, fromBuffer);
        m_readPos += fromBuffer;
    }
    if (fromBuffer == nCount)
        return nCount;
    return fromBuffer + CFile::Read(static_cast<char*>(lpBuf) + fromBuffer, nCount - fromBuffer);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
    DropReadAhead();
    CFile::Write(lpBuf, nCount);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
    DropReadAhead();
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const {
    return CFile::GetPosition() - (ULONGLONG)(m_readAhead.size() - m_readPos);
}

void CStdioFile::SetLength(ULONGLONG dwNewLen) {
    DropReadAhead();
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush() {
    DropReadAhead();
    CFile::Flush();
}

void CStdioFile::Close() {
    m_readAhead.clear();
    m_readPos = 0;
    CFile::Close();
}

void CStdioFile::Abort() {
    m_readAhead.clear();
    m_readPos = 0;
    CFile::Abort();
}
