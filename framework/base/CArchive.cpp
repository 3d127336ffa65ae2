#include "CArchive.h"
#include <cstring>
#include <string>

namespace {
// Strings longer than this are read piecewise, so a corrupt length cannot make us reserve
// gigabytes before the end of the data shows the archive is bad.
const DWORD kStringChunk = 64 * 1024;
}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_nMode(nMode) {
    if (pFile == NULL)
        AfxThrowInvalidArgException();
    if (nBufSize < 128)
        nBufSize = 128;
    m_nBufSize = (UINT)nBufSize;
    m_bUserBuf = lpBuf != NULL;
    m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(lpBuf) : new BYTE[m_nBufSize];
    m_lpBufCur = m_lpBufStart;
    // Loading starts with an empty buffer, storing with an empty one of full capacity.
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive() {
    if (!m_bClosed && IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Flush();
        } catch (CException* e) {
            e->Delete();
        }
    }
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

void CArchive::CheckMode(bool loading) const {
    if (m_bClosed)
        AfxThrowArchiveException(CArchiveException::genericException);
    if (loading && !IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_pFile->GetFilePath());
    if (!loading && IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly, m_pFile->GetFilePath());
}

void CArchive::FillBuffer(UINT nBytesNeeded) {
    // Keep what is still unread, then read from the file until nBytesNeeded are buffered or
    // the file has no more.
    UINT unread = (UINT)(m_lpBufMax - m_lpBufCur);
    if (unread > 0 && m_lpBufCur != m_lpBufStart)
        memmove(m_lpBufStart, m_lpBufCur, unread);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + unread;
    while ((UINT)(m_lpBufMax - m_lpBufStart) < nBytesNeeded) {
        UINT got = m_pFile->Read(m_lpBufMax, m_nBufSize - (UINT)(m_lpBufMax - m_lpBufStart));
        if (got == 0)
            break;
        m_lpBufMax += got;
    }
}

ULONGLONG CArchive::GetBytesLeft() const {
    CheckMode(true);
    ULONGLONG nLength = m_pFile->GetLength(), nPosition = m_pFile->GetPosition();
    ULONGLONG nInFile = nLength > nPosition ? nLength - nPosition : 0;
    return nInFile + (ULONGLONG)(m_lpBufMax - m_lpBufCur);
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    CheckMode(true);
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_lpBufCur == m_lpBufMax) {
            if (nMax - done >= m_nBufSize) {
                // Large blocks go straight from the file.
                UINT got = m_pFile->Read(out + done, nMax - done);
                if (got == 0)
                    break;
                done += got;
                continue;
            }
            FillBuffer(1);
            if (m_lpBufCur == m_lpBufMax)
                break;
        }
        UINT n = (UINT)(m_lpBufMax - m_lpBufCur);
        if (n > nMax - done)
            n = nMax - done;
        memcpy(out + done, m_lpBufCur, n);
        m_lpBufCur += n;
        done += n;
    }
    return done;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount) {
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_pFile->GetFilePath());
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    CheckMode(false);
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        UINT room = (UINT)(m_lpBufMax - m_lpBufCur);
        if (room == 0) {
            Flush();
            room = (UINT)(m_lpBufMax - m_lpBufCur);
        }
        UINT n = nMax < room ? nMax : room;
        memcpy(m_lpBufCur, in, n);
        m_lpBufCur += n;
        in += n;
        nMax -= n;
    }
}

void CArchive::Flush() {
    if (IsLoading()) {
        UINT unread = (UINT)(m_lpBufMax - m_lpBufCur);
        if (unread > 0)
            m_pFile->Seek(-(LONGLONG)unread, CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        return;
    }
    if (m_lpBufCur != m_lpBufStart) {
        UINT n = (UINT)(m_lpBufCur - m_lpBufStart);
        m_lpBufCur = m_lpBufStart;  // reset first: a failed write must not be retried twice
        m_pFile->Write(m_lpBufStart, n);
    }
}

void CArchive::Close() {
    if (m_bClosed)
        return;
    Flush();
    m_bClosed = TRUE;
}

void CArchive::Abort() {
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    m_bClosed = TRUE;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
    if (dwCount < 0xFFFF) {
        *this << (WORD)dwCount;
    } else {
        *this << (WORD)0xFFFF;
        *this << (DWORD)dwCount;
    }
}

DWORD_PTR CArchive::ReadCount() {
    WORD w;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    DWORD dw;
    *this >> dw;
    return dw;
}

CArchive& CArchive::operator<<(BYTE by) {
    Write(&by, 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD w) {
    BYTE b[2] = {(BYTE)w, (BYTE)(w >> 8)};
    Write(b, 2);
    return *this;
}

CArchive& CArchive::operator<<(DWORD dw) {
    BYTE b[4] = {(BYTE)dw, (BYTE)(dw >> 8), (BYTE)(dw >> 16), (BYTE)(dw >> 24)};
    Write(b, 4);
    return *this;
}

CArchive& CArchive::operator<<(POINT pt) { return *this << (int)pt.x << (int)pt.y; }
CArchive& CArchive::operator<<(SIZE size) { return *this << (int)size.cx << (int)size.cy; }
CArchive& CArchive::operator<<(const RECT& rect) {
    return *this << (int)rect.left << (int)rect.top << (int)rect.right << (int)rect.bottom;
}

CArchive& CArchive::operator>>(BYTE& by) {
    CheckMode(true);
    ReadExact(&by, 1);
    return *this;
}

CArchive& CArchive::operator>>(WORD& w) {
    CheckMode(true);
    BYTE b[2];
    ReadExact(b, 2);
    w = (WORD)(b[0] | (b[1] << 8));
    return *this;
}

CArchive& CArchive::operator>>(DWORD& dw) {
    CheckMode(true);
    BYTE b[4];
    ReadExact(b, 4);
    dw = (DWORD)b[0] | ((DWORD)b[1] << 8) | ((DWORD)b[2] << 16) | ((DWORD)b[3] << 24);
    return *this;
}

CArchive& CArchive::operator>>(POINT& pt) {
    int x, y;
    *this >> x >> y;
    pt.x = x;
    pt.y = y;
    return *this;
}

CArchive& CArchive::operator>>(SIZE& size) {
    int cx, cy;
    *this >> cx >> cy;
    size.cx = cx;
    size.cy = cy;
    return *this;
}

CArchive& CArchive::operator>>(RECT& rect) {
    int l, t, r, b;
    *this >> l >> t >> r >> b;
    rect.left = l;
    rect.top = t;
    rect.right = r;
    rect.bottom = b;
    return *this;
}

void CArchive::WriteCString(const CString& str) {
    DWORD len = (DWORD)str.GetLength();
    if (len < 0xFF) {
        *this << (BYTE)len;
    } else if (len < 0xFFFE) {
        *this << (BYTE)0xFF << (WORD)len;
    } else {
        *this << (BYTE)0xFF << (WORD)0xFFFF << len;
    }
    Write((LPCTSTR)str, len);
}

void CArchive::ReadCString(CString& str) {
    BYTE b;
    *this >> b;
    DWORD len = b;
    if (b == 0xFF) {
        WORD w;
        *this >> w;
        len = w;
        if (w == 0xFFFE)
            AfxThrowArchiveException(CArchiveException::genericException, m_pFile->GetFilePath());
        if (w == 0xFFFF) {
            *this >> len;
            if (len == 0xFFFFFFFF)
                AfxThrowArchiveException(CArchiveException::genericException, m_pFile->GetFilePath());
        }
    }
    std::string text;
    text.reserve(len < kStringChunk ? len : kStringChunk);
    while (text.size() < len) {
        DWORD n = len - (DWORD)text.size();
        if (n > kStringChunk)
            n = kStringChunk;
        size_t old = text.size();
        text.resize(old + n);
        ReadExact(&text[old], n);
    }
    str = CString(text);
}
