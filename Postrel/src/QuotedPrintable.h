// Quoted-printable of RFC 2045 for text parts: CR LF and bare LF are hard line breaks (sent as
// CR LF), every other control or 8-bit byte, "=" and a blank before a line end are escaped, and
// soft line breaks keep every encoded line within 76 characters.
#pragma once
#include "MIMECode.h"

class CQuotedPrintable : public CMIMECode {
public:
    static const size_t kMaxLine = 76;

    using CMIMECode::Encode;
    std::string Encode(const unsigned char* data, size_t count) const override;
    // Undoes Encode: soft breaks are removed, escapes turned back into bytes, CR LF kept.
    // 0 (and nothing) for a malformed escape.
    int Decode(const std::string& text, std::string& out) const override;
};
