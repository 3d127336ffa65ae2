#include "SocketException.h"
#include <string.h>

CSocketException::CSocketException(const std::string& message, const char* detail) : m_text(message + "\n")
{
    if (detail != NULL) m_text += std::string("System Error Detail:") + detail;
}

BOOL CSocketException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL) *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0) return TRUE;
    size_t n = m_text.size() < nMaxError - 1 ? m_text.size() : nMaxError - 1;
    memcpy(lpszError, m_text.data(), n);
    lpszError[n] = '\0';
    return TRUE;
}
