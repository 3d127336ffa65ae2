// Binary serialisation onto a CFile, in the framework's stored forms: little-endian integers
// of fixed size (BYTE 1, WORD 2, DWORD/int/LONG 4, POINT/SIZE 8, RECT 16 bytes), strings as a
// length prefix and the characters without a terminator, counts as a WORD with an escape.
// Layouts of stored files are built from these, so the sizes never depend on the compiler:
// there are deliberately no operators for long and unsigned long (8 bytes here).
//
// A load that runs out of data throws CArchiveException(endOfFile); a failing file throws
// CFileException.
#pragma once
#include "CObject.h"
#include "CArchiveException.h"
#include "CFile.h"
#include "CString.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    // Flushes a storing archive that was not closed; errors are lost then, so call Close().
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // Reads up to nMax bytes; fewer only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    // Loading: the bytes still to be read (those buffered and those left in the file), so a
    // reader can check a stored size against the data before it allocates for it.
    ULONGLONG GetBytesLeft() const;
    void Write(const void* lpBuf, UINT nMax);
    // Storing: writes the buffer to the file. Loading: gives unread buffered bytes back to a
    // seekable file, so the file's position is just after what was read.
    void Flush();
    void Close();
    // Drops the archive without flushing (after an error); the file stays open.
    void Abort();

    // Element counts: a WORD, or 0xFFFF followed by a DWORD for 0xFFFF and above.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(char ch) { return *this << (BYTE)ch; }
    CArchive& operator<<(WORD w);
    CArchive& operator<<(short w) { return *this << (WORD)w; }
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(int i) { return *this << (DWORD)i; }
    CArchive& operator<<(long) = delete;
    CArchive& operator<<(unsigned long) = delete;
    CArchive& operator<<(POINT pt);
    CArchive& operator<<(SIZE size);
    CArchive& operator<<(const RECT& rect);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(char& ch) { return *this >> (BYTE&)ch; }
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(short& w) { return *this >> (WORD&)w; }
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(int& i) { return *this >> (DWORD&)i; }
    CArchive& operator>>(long&) = delete;
    CArchive& operator>>(unsigned long&) = delete;
    CArchive& operator>>(POINT& pt);
    CArchive& operator>>(SIZE& size);
    CArchive& operator>>(RECT& rect);

    // Strings: a BYTE length below 0xFF; else 0xFF and a WORD length below 0xFFFE; else 0xFF,
    // 0xFFFF and a DWORD length. 0xFFFE (a wide-character string) and a DWORD 0xFFFFFFFF are
    // not produced by this layer and load as CArchiveException(genericException).
    void WriteCString(const CString& str);
    void ReadCString(CString& str);

    CFile* m_pFile;

private:
    void FillBuffer(UINT nBytesNeeded);
    void ReadExact(void* lpBuf, UINT nCount);
    void CheckMode(bool loading) const;

    UINT m_nMode;
    BOOL m_bClosed = FALSE;
    BOOL m_bUserBuf;
    UINT m_nBufSize;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
};

inline CArchive& operator<<(CArchive& ar, const CString& str) {
    ar.WriteCString(str);
    return ar;
}
inline CArchive& operator>>(CArchive& ar, CString& str) {
    ar.ReadCString(str);
    return ar;
}
