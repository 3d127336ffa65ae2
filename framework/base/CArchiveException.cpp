#include "CArchiveException.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
    static const char* const kCauseText[] = {
        "No error occurred",
        "An unexpected error occurred while reading or writing",
        "There was an attempt to write to an archive opened for loading",
        "An unexpected end of file was reached",
        "There was an attempt to read from an archive opened for storing",
        "The file has an invalid format",
        "The file contains an unexpected object",
        "The file contains an object with an incorrect schema",
    };
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    const char* cause = m_cause >= 0 && m_cause <= badSchema ? kCauseText[m_cause] : kCauseText[1];
    CString text(cause);
    if (!m_strFileName.IsEmpty())
        text += ": " + m_strFileName;
    text += ".";
    return CopyMessage(text, lpszError, nMaxError);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
    throw new CArchiveException(cause, lpszArchiveName);
}
