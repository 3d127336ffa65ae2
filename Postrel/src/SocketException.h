// The one failure of the DNS exchange: connection, short send or receive, truncated or malformed
// data. Thrown as a heap pointer like every framework exception; the catcher calls Delete().
#pragma once
#include "CException.h"
#include <string>

class CSocketException : public CException {
public:
    // The text is the message, a line end, then "System Error Detail:" and the detail if any.
    explicit CSocketException(const std::string& message, const char* detail = NULL);

    const std::string& Text() const { return m_text; }
    // Copies what fits of the text into the caller's buffer; TRUE.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

private:
    std::string m_text;
};
