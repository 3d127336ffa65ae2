// A failed file operation: the cause, the system error code and the file's name.
#pragma once
#include "CException.h"
#include "CString.h"

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = NULL);

    // Resets to "no error"; Open() calls it on the caller's object before trying.
    void Clear();
    // The cause matching a Win32 error code (GetLastError()).
    static int AFXAPI OsErrorToException(LONG lOsError);
    static void AFXAPI ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);

    // "<cause text>: <file name>", or the cause text alone without a name.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
