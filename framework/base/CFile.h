// Unbuffered binary file over a Win32 handle. Paths are Windows paths (C:\..., Z:\...), opened
// with CreateFileA, so they mean what they mean to every other Win32 call of the program.
// Errors: Open() answers FALSE (and fills the optional CFileException); every other operation,
// and the constructor that opens, throws CFileException*.
#pragma once
#include "CObject.h"
#include "CFileException.h"
#include "CString.h"

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual void Close();
    // Closes without reporting errors (for clean-up paths).
    virtual void Abort();

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();

    virtual CString GetFileName() const;
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }
    BOOL IsOpen() const { return m_hFile != hFileNull; }
    operator HANDLE() const { return m_hFile; }

    HANDLE m_hFile;

protected:
    [[noreturn]] void ThrowLastError() const;
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};
