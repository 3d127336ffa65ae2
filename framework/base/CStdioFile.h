// A CFile with line reading and writing. There is no C run-time text mode under this layer, so
// the line translation is done here: unless the file was opened with typeBinary, ReadString
// drops the CR of each CR LF and WriteString writes every LF that is not already preceded by a
// CR as CR LF. Read and Write always move bytes unchanged.
#pragma once
#include "CFile.h"
#include <string>

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

    // One line without its line end; FALSE at the end of the file when nothing was read.
    virtual BOOL ReadString(CString& rString);
    // At most nMax - 1 characters, stopping after a LF (which is kept); NULL at the end.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    virtual void WriteString(LPCTSTR lpsz);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

private:
    // Next byte of the file, or -1 at its end.
    int GetByte();
    // Gives unread read-ahead back to the file, so its position is the logical one again.
    void DropReadAhead();

    BOOL m_bText = TRUE;
    std::string m_readAhead;
    size_t m_readPos = 0;
};
