// A file in memory. It owns a block that grows nGrowBytes at a time, or works on a caller's
// block (a locked resource, say), which never grows: writing past its end throws
// CFileException(diskFull).
#pragma once
#include "CFile.h"

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // Works on the caller's block from now on; the file's length becomes nBufferSize when
    // nGrowBytes is 0 (the block holds data to read), else 0 (the block is room to write).
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the block to the caller (who frees an owned one with free()); the file is empty.
    BYTE* Detach();

    BOOL Open(LPCTSTR, UINT, CFileException* pError = NULL) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override {}
    void Close() override;
    void Abort() override;

private:
    void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition = 0;
    SIZE_T m_nBufferSize = 0;
    SIZE_T m_nFileSize = 0;
    BYTE* m_lpBuffer = NULL;
    BOOL m_bAutoDelete = TRUE;
};
