// Writes text parts: text/plain, and text/html (type code 3) as quoted-printable.
#pragma once
#include "MIMEContentAgent.h"
#include <string>

class CTextPlain : public CMIMEContentAgent {
public:
    CTextPlain(int code, int lineWidth) : CMIMEContentAgent(code), m_lineWidth(lineWidth) {}

    // Breaks every line longer than width + 1 characters at its last blank within the first
    // width + 2 characters (the blank itself and the blanks around the break are dropped); a
    // line with no blank there is broken hard after width characters. CR LF and bare LF both
    // end a line; line ends are kept as they are.
    static std::string WrapLines(const std::string& text, int width);

protected:
    int WriteText(const CString& content, const CString& params, int flags, CMIMEMessage& message) override;
    virtual CString ContentTypeText() const;
    virtual CString PartHeader(const CString& params, bool quotedPrintable) const;
    // The transfer encoding a part of this kind gets from its flags (the default resolved).
    int EncodingOf(int flags) const;

    int m_lineWidth;
};
