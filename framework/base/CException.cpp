#include "CException.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)

void CException::Delete() {
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::CopyMessage(LPCSTR lpszText, LPTSTR lpszError, UINT nMaxError) {
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    size_t n = strlen(lpszText);
    if (n > nMaxError - 1)
        n = nMaxError - 1;
    memcpy(lpszError, lpszText, n);
    lpszError[n] = '\0';
    return TRUE;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return CopyMessage("Out of memory.", lpszError, nMaxError);
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                             PUINT pnHelpContext) const {
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return CopyMessage("Unsupported operation was attempted.", lpszError, nMaxError);
}

BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                           PUINT pnHelpContext) const {
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return CopyMessage("Encountered an improper argument.", lpszError, nMaxError);
}

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                         PUINT pnHelpContext) const {
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return CopyMessage("A required resource was unavailable.", lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException() {
    // Static so that reporting a lack of memory needs none; Delete() leaves it alone.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}
void AFXAPI AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AFXAPI AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AFXAPI AfxThrowResourceException() { throw new CResourceException; }
void AFXAPI AfxThrowUserException() { throw new CUserException; }

void AFXAPI AfxReportCallbackException(LPCSTR lpszWhat) {
    char line[320];
    snprintf(line, sizeof line, "framework: exception stopped at a callback: %s\n", lpszWhat);
    OutputDebugStringA(line);
    fputs(line, stderr);
    const char* abortFlag = getenv("FW_ABORT_ON_CALLBACK_EXCEPTION");
    if (abortFlag != NULL && strcmp(abortFlag, "1") == 0)
        abort();
}
