#include "CFileException.h"

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

void CFileException::Clear() {
    m_cause = none;
    m_lOsError = -1;
    m_strFileName.Empty();
}

int AFXAPI CFileException::OsErrorToException(LONG lOsError) {
    switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_NO_MORE_FILES: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    default: return genericException;
    }
}

void AFXAPI CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
    static const char* const kCauseText[] = {
        "No error occurred",
        "An unspecified error occurred",
        "The file could not be located",
        "All or part of the path is invalid",
        "The permitted number of open files was exceeded",
        "The file could not be accessed",
        "There was an attempt to use an invalid file handle",
        "The current working directory cannot be removed",
        "There are no more directory entries",
        "There was an error trying to set the file pointer",
        "There was a hardware error",
        "The file was already in use",
        "There was an attempt to lock a region that was already locked",
        "The disk is full",
        "The end of file was reached",
    };
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    const char* cause = m_cause >= 0 && m_cause <= endOfFile ? kCauseText[m_cause] : kCauseText[1];
    CString text(cause);
    if (!m_strFileName.IsEmpty())
        text += ": " + m_strFileName;
    text += ".";
    return CopyMessage(text, lpszError, nMaxError);
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}
